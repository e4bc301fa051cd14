// The program calls USER32's MessageBoxA through its import slot. A test program defines that
// slot itself, so the linker takes ours instead of the import library's and the product code
// stays untouched. While no capture is active, calls go to the real function.
#include "BoxCapture.h"

#include <windows.h>

#include "BoxCaptureState.h"

namespace {

bool capturing = false;

using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

int WINAPI RecordOrShow(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    if (capturing) {
        BoxCaptureState::Record(text, caption, style);
        return IDOK;
    }
    static MessageBoxFn real = reinterpret_cast<MessageBoxFn>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("user32.dll"), "MessageBoxA")));
    return real ? real(owner, text, caption, style) : IDOK;
}

} // namespace

extern "C" {
#if defined(_WIN64)
MessageBoxFn __imp_MessageBoxA = &RecordOrShow;
#else
MessageBoxFn _imp__MessageBoxA_16 __asm__("__imp__MessageBoxA@16") = &RecordOrShow;
#endif
}

BoxCapture::BoxCapture(bool echoToStderr) {
    BoxCaptureState::Boxes().clear();
    BoxCaptureState::SetEcho(echoToStderr);
    capturing = true;
}

BoxCapture::~BoxCapture() {
    BoxCaptureState::SetEcho(false);
    capturing = false;
}
