// Prints what the audio layer reports on this machine: the wave-out devices as winmm counts
// them, and what the detection finds and logs over them. Exits 0 whatever it finds.
#include <cstdio>
#include <string>
#include <vector>
#include <windows.h>

#include "App/LogFile.h"
#include "Sound/Bass.h"
#include "Sound/CSoundEngine.h"

namespace {

void PrintFile(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        std::printf("  (no log file)\n");
        return;
    }
    char line[512];
    while (std::fgets(line, sizeof line, file))
        std::printf("  | %s", line);
    std::fclose(file);
}

} // namespace

int main() {
    std::printf("waveOutGetNumDevs: %u\n", waveOutGetNumDevs());
    for (DWORD n = 0;; ++n) {
        const char* description = BASS_GetDeviceDescription(n);
        if (description == nullptr) {
            std::printf("BASS_GetDeviceDescription(%lu): null\n", static_cast<unsigned long>(n));
            break;
        }
        std::printf("BASS_GetDeviceDescription(%lu): \"%s\"\n", static_cast<unsigned long>(n),
                    description);
    }

    char folder[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    std::string logPath = std::string(folder) + "velmark_sound_probe.log";
    TheLog.Open(logPath);
    HWND owner = GetConsoleWindow();
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&owner, &devices);
    TheLog.Close();

    std::printf("DetectDevices: %u usable device(s)\n", static_cast<unsigned>(devices.size()));
    for (const SoundDeviceInfo& device : devices)
        std::printf("  index %d: \"%s\"\n", device.index, device.name.c_str());
    std::printf("BASS_Free with nothing open: %d\n", BASS_Free());
    std::printf("Log %s:\n", logPath.c_str());
    PrintFile(logPath.c_str());
    std::remove(logPath.c_str());
    return 0;
}
