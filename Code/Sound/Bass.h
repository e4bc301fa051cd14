// The four audio-library calls the device detection makes, over our own audio layer.
//
// Windows builds answer from winmm's wave-out devices (WaveOutAudio.cpp); the native build
// from a device list the tests script (ScriptedAudio.h). At most one device is open at a time.
#pragma once

#include "Platform/Win32.h"

// The NUL-terminated description of device `device` (0 is the first), or null when there is
// no such device. The text stays valid until the process ends.
const char* BASS_GetDeviceDescription(DWORD device);

// Opens device `device` for output at `freq` Hz (16-bit stereo), `flags` and owner `win` are
// accepted as given. Nonzero when the device is now open; 0 when it cannot be opened or a
// device is already open.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND win);

// Nonzero when the open device offers EAX. The four outputs may be null; those given receive
// the environment, volume, decay and damping of the current EAX setting.
BOOL BASS_GetEAXParameters(float* environment, float* volume, float* decay, float* damping);

// Releases the open device. Nonzero when one was open.
BOOL BASS_Free();
