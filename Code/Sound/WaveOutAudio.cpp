// The Windows audio layer: winmm's wave-out devices, numbered as waveOutGetNumDevs counts them.
//
// winmm is loaded on the first call rather than imported: importing it brings in the audio
// compression manager and COM at every start, which Wine takes a noticeable time to load,
// while only the audio page's first visit ever asks for a device.
#include "Sound/Bass.h"

#include <array>
#include <cstring>
#include <map>
#include <string>

namespace {

const DWORD kDefaultRate = 44100;

// The four wave-out calls, bound once; all null when winmm cannot be loaded, which then reads
// as a machine without devices.
struct WaveOut {
    UINT(WINAPI* getNumDevs)();
    MMRESULT(WINAPI* getDevCaps)(UINT_PTR, LPWAVEOUTCAPSA, UINT);
    MMRESULT(WINAPI* open)(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD);
    MMRESULT(WINAPI* close)(HWAVEOUT);
};

// By full path from the system folder: by its bare name the search starts in the program's
// folder, where any winmm.dll would be loaded, with administrator rights when Windows raised
// the program.
HMODULE LoadSystemWinmm() {
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\winmm.dll").c_str());
}

template <typename Function> void Bind(HMODULE module, const char* name, Function& function) {
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

const WaveOut& Winmm() {
    static const WaveOut calls = [] {
        WaveOut bound = {};
        HMODULE module = LoadSystemWinmm();
        if (module == nullptr)
            return bound;
        Bind(module, "waveOutGetNumDevs", bound.getNumDevs);
        Bind(module, "waveOutGetDevCapsA", bound.getDevCaps);
        Bind(module, "waveOutOpen", bound.open);
        Bind(module, "waveOutClose", bound.close);
        if (!bound.getNumDevs || !bound.getDevCaps || !bound.open || !bound.close)
            bound = WaveOut();
        return bound;
    }();
    return calls;
}

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
    const WaveOut& winmm = Winmm();
    if (winmm.getNumDevs == nullptr || device >= winmm.getNumDevs())
        return nullptr;
    WAVEOUTCAPSA caps;
    std::memset(&caps, 0, sizeof caps);
    if (winmm.getDevCaps(device, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return nullptr;
    std::array<char, MAXPNAMELEN>& slot = DescriptionSlot(device);
    // szPname is a fixed field; do not trust it to hold its NUL.
    std::memcpy(slot.data(), caps.szPname, slot.size());
    slot[slot.size() - 1] = '\0';
    return slot.data();
}

BOOL BASS_Init(int device, DWORD freq, DWORD /*flags*/, HWND /*win*/) {
    const WaveOut& winmm = Winmm();
    if (openDevice != nullptr || device < 0 || winmm.open == nullptr)
        return FALSE;
    WAVEFORMATEX format = PcmFormat(freq);
    HWAVEOUT handle = nullptr;
    MMRESULT result = winmm.open(&handle, static_cast<UINT>(device), &format, 0, 0, CALLBACK_NULL);
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
    Winmm().close(openDevice);
    openDevice = nullptr;
    return TRUE;
}
