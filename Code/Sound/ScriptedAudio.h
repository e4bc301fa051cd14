// The native build's audio layer: devices that a test scripts, and a record of every call.
//
// The BASS_* functions of Sound/Bass.h answer from the scripted list and append one Call per
// invocation, in order, before the hook (if any) runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Platform/Win32.h"

namespace ScriptedAudio {

struct Device {
    std::string description;
    bool opens = true;   // BASS_Init succeeds on it
    bool hasEax = false; // BASS_GetEAXParameters answers TRUE while it is open
};

struct Call {
    std::string function;  // "BASS_GetDeviceDescription", "BASS_Init", ...
    int device = -1;       // device number given; -1 for calls that take none
    DWORD freq = 0;        // BASS_Init only
    DWORD flags = 0;       // BASS_Init only
    HWND window = nullptr; // BASS_Init only
    bool result = false;   // nonzero result (non-null description)
};

using Hook = std::function<void(const Call&)>;

// Replaces the device list, clears the record and the hook, and closes any open device.
void Reset(const std::vector<Device>& devices = {});

// Runs after each call has been recorded (for example to change state between probes).
void SetHook(Hook hook);

const std::vector<Call>& Calls();

// The device number held open, or -1.
int OpenDevice();

} // namespace ScriptedAudio
