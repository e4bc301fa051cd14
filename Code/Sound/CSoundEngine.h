// The sound engine's device detection: which output devices the audio layer can open.
#pragma once

#include <string>
#include <vector>

#include "Platform/Win32.h"

// One usable sound output device.
struct SoundDeviceInfo {
    int index;        // the audio layer's device number it was opened under (0 is the first)
    std::string name; // its description, followed by " [EAX]" when it offers EAX
};

class CSoundEngine {
public:
    // Probes devices 0, 1, 2 ... until the audio layer has no description for the next number:
    // each is opened with 44100 Hz, flags 548 and the handle read through `window` at that
    // moment (no owner when `window` is null), asked for EAX and released again. Devices that
    // fail to open are skipped. Every opened device gets a log line (type 18) and, when
    // `devices` is not null, an entry; the list is emptied first. No device is left open.
    static void DetectDevices(HWND* window, std::vector<SoundDeviceInfo>* devices);
};
