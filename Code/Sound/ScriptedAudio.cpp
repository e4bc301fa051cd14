#include "Sound/ScriptedAudio.h"

#include "Sound/Bass.h"

namespace {

struct State {
    std::vector<ScriptedAudio::Device> devices;
    std::vector<ScriptedAudio::Call> calls;
    ScriptedAudio::Hook hook;
    int open = -1;
};

State& Script() {
    static State state;
    return state;
}

// Records the call, then lets the test's hook see it.
bool Answer(ScriptedAudio::Call call, bool result) {
    call.result = result;
    Script().calls.push_back(call);
    if (Script().hook) {
        // A copy: the hook may install another hook or reset the script.
        ScriptedAudio::Hook hook = Script().hook;
        hook(Script().calls.back());
    }
    return result;
}

const ScriptedAudio::Device* DeviceAt(long long number) {
    const auto& devices = Script().devices;
    if (number < 0 || number >= static_cast<long long>(devices.size()))
        return nullptr;
    return &devices[static_cast<size_t>(number)];
}

} // namespace

namespace ScriptedAudio {

void Reset(const std::vector<Device>& devices) {
    Script().devices = devices;
    Script().calls.clear();
    Script().hook = nullptr;
    Script().open = -1;
}

void SetHook(Hook hook) {
    Script().hook = std::move(hook);
}

const std::vector<Call>& Calls() {
    return Script().calls;
}

int OpenDevice() {
    return Script().open;
}

} // namespace ScriptedAudio

const char* BASS_GetDeviceDescription(DWORD device) {
    const ScriptedAudio::Device* found = DeviceAt(device);
    ScriptedAudio::Call call;
    call.function = "BASS_GetDeviceDescription";
    call.device = static_cast<int>(device);
    Answer(call, found != nullptr);
    // The list may have been replaced by the hook; look again.
    found = DeviceAt(device);
    return found ? found->description.c_str() : nullptr;
}

BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND win) {
    const ScriptedAudio::Device* found = DeviceAt(device);
    bool opened = found != nullptr && found->opens && Script().open < 0;
    if (opened)
        Script().open = device;
    ScriptedAudio::Call call;
    call.function = "BASS_Init";
    call.device = device;
    call.freq = freq;
    call.flags = flags;
    call.window = win;
    return Answer(call, opened) ? TRUE : FALSE;
}

BOOL BASS_GetEAXParameters(float* environment, float* volume, float* decay, float* damping) {
    const ScriptedAudio::Device* found = DeviceAt(Script().open);
    bool eax = found != nullptr && found->hasEax;
    if (eax) {
        // The generic environment at full volume.
        if (environment)
            *environment = 0.0f;
        if (volume)
            *volume = 1.0f;
        if (decay)
            *decay = 1.49f;
        if (damping)
            *damping = 0.5f;
    }
    ScriptedAudio::Call call;
    call.function = "BASS_GetEAXParameters";
    return Answer(call, eax) ? TRUE : FALSE;
}

BOOL BASS_Free() {
    bool wasOpen = Script().open >= 0;
    Script().open = -1;
    ScriptedAudio::Call call;
    call.function = "BASS_Free";
    return Answer(call, wasOpen) ? TRUE : FALSE;
}
