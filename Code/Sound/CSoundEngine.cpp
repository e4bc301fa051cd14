#include "Sound/CSoundEngine.h"

#include <climits>

#include "App/LogFile.h"
#include "App/StringUtil.h"
#include "Sound/Bass.h"

namespace {

// The log names the module and lines the engine's log entries have always carried, so that
// logs stay comparable between builds whatever the layout of this file.
const char kLogSource[] = "Code\\Sound\\CSoundEngine.cpp";
const int kLineDetecting = 249;
const int kLineDevice = 300;
const int kLineDetected = 311;

const int kInfo = 18;
const DWORD kOutputRate = 44100;
// The library's device flags 4, 32 and 512.
const DWORD kDeviceFlags = 548;

void Log(int line, const std::string& text) {
    TheLog.SetSource(line, kLogSource).Write(text, kInfo);
}

} // namespace

void CSoundEngine::DetectDevices(HWND* window, std::vector<SoundDeviceInfo>* devices) {
    Log(kLineDetecting, "Detecting sound devices :");
    if (devices != nullptr)
        devices->clear();
    int number = 0;
    const char* description = BASS_GetDeviceDescription(0);
    while (description != nullptr) {
        std::string name = description;
        HWND owner = window != nullptr ? *window : nullptr;
        if (BASS_Init(number, kOutputRate, kDeviceFlags, owner)) {
            if (BASS_GetEAXParameters(nullptr, nullptr, nullptr, nullptr))
                name += " [EAX]";
            // FormatText keeps at most 8191 bytes: an overlong description is cut there.
            Log(kLineDevice, FormatText("- Sound device #%d = %s", number, name.c_str()));
            if (devices != nullptr)
                devices->push_back(SoundDeviceInfo{number, name});
            BASS_Free();
        }
        if (number == INT_MAX)
            break;
        ++number;
        description = BASS_GetDeviceDescription(static_cast<DWORD>(number));
    }
    Log(kLineDetected, "Detecting sound devices : ok");
}
