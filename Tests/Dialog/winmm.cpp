// A sound card as the tests script it, put in place of the system's winmm.dll: three wave-out
// devices, of which the second is held by another program (it cannot be opened) and the third is
// named with a letter of the ANSI code page. Each open and close is logged, one line each, to the
// file that VELMARK_WINMM_LOG names, when it is set: "open N RATE CHANNELS BITS ok|busy", "close".
#define _WINMM_ // our own definitions, not imports
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kNames[] = {"Speakers (Scripted Audio)", "Headset (in use)",
                              "Sortie num\xE9rique"};
const UINT kCount = 3, kBusy = 1;

void Log(const char* line) {
    const char* path = std::getenv("VELMARK_WINMM_LOG");
    if (FILE* log = path != nullptr ? std::fopen(path, "a") : nullptr) {
        std::fputs(line, log);
        std::fclose(log);
    }
}

} // namespace

extern "C" {

__declspec(dllexport) UINT WINAPI waveOutGetNumDevs() {
    return kCount;
}

__declspec(dllexport) MMRESULT WINAPI
    waveOutGetDevCapsA(UINT_PTR device, LPWAVEOUTCAPSA caps, UINT size) {
    if (device >= kCount || caps == nullptr || size < sizeof *caps)
        return device >= kCount ? MMSYSERR_BADDEVICEID : MMSYSERR_INVALPARAM;
    std::memset(caps, 0, sizeof *caps);
    std::strcpy(caps->szPname, kNames[device]);
    return MMSYSERR_NOERROR;
}

__declspec(dllexport) MMRESULT WINAPI
    waveOutOpen(LPHWAVEOUT handle, UINT device, LPCWAVEFORMATEX format, DWORD_PTR, DWORD_PTR,
                DWORD) {
    if (device >= kCount)
        return MMSYSERR_BADDEVICEID;
    char line[96];
    std::snprintf(line, sizeof line, "open %u %lu %u %u %s\n", device, format->nSamplesPerSec,
                  format->nChannels, format->wBitsPerSample, device == kBusy ? "busy" : "ok");
    Log(line);
    if (device == kBusy)
        return MMSYSERR_ALLOCATED;
    *handle = reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(device + 1));
    return MMSYSERR_NOERROR;
}

__declspec(dllexport) MMRESULT WINAPI waveOutClose(HWAVEOUT) {
    Log("close\n");
    return MMSYSERR_NOERROR;
}

} // extern "C"
