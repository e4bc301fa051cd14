// The Windows audio layer: winmm's wave-out devices, numbered as waveOutGetNumDevs counts them.
#include "Sound/Bass.h"

#include <array>
#include <cstring>
#include <map>

namespace {

const DWORD kDefaultRate = 44100;

// The device held open between BASS_Init and BASS_Free; one owner closes it.
HWAVEOUT openDevice = nullptr;

// One slot per device number, kept for the whole run: callers may hold the pointer.
std::array<char, MAXPNAMELEN>& DescriptionSlot(DWORD device) {
    static std::map<DWORD, std::array<char, MAXPNAMELEN>> slots;
    return slots[device];
}

WAVEFORMATEX PcmFormat(DWORD rate) {
    WAVEFORMATEX format;
    std::memset(&format, 0, sizeof format);
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nSamplesPerSec = rate != 0 ? rate : kDefaultRate;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

} // namespace

const char* BASS_GetDeviceDescription(DWORD device) {
    if (device >= waveOutGetNumDevs())
        return nullptr;
    WAVEOUTCAPSA caps;
    std::memset(&caps, 0, sizeof caps);
    if (waveOutGetDevCapsA(device, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return nullptr;
    std::array<char, MAXPNAMELEN>& slot = DescriptionSlot(device);
    // szPname is a fixed field; do not trust it to hold its NUL.
    std::memcpy(slot.data(), caps.szPname, slot.size());
    slot[slot.size() - 1] = '\0';
    return slot.data();
}

BOOL BASS_Init(int device, DWORD freq, DWORD /*flags*/, HWND /*win*/) {
    if (openDevice != nullptr || device < 0)
        return FALSE;
    WAVEFORMATEX format = PcmFormat(freq);
    HWAVEOUT handle = nullptr;
    MMRESULT result = waveOutOpen(&handle, static_cast<UINT>(device), &format, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR)
        return FALSE;
    openDevice = handle;
    return TRUE;
}

BOOL BASS_GetEAXParameters(float*, float*, float*, float*) {
    // No current system offers EAX through wave-out.
    return FALSE;
}

BOOL BASS_Free() {
    if (openDevice == nullptr)
        return FALSE;
    waveOutClose(openDevice);
    openDevice = nullptr;
    return TRUE;
}
