#include "BoxCapture.h"

#include <cstdio>

#include "Platform/Win32.h"

namespace {

std::vector<CapturedBox> boxes;
bool echo = false;

void Record(const char* text, const char* caption, unsigned style) {
    boxes.push_back({caption ? caption : "", text ? text : "", style});
    if (echo) {
        std::fprintf(stderr, "box %u %s: %s\n", static_cast<unsigned>(boxes.size()),
                     boxes.back().caption.c_str(), boxes.back().text.c_str());
        std::fflush(stderr);
    }
}

} // namespace

#if defined(_WIN32)
// The program calls USER32's MessageBoxA through its import slot. A test program defines that
// slot itself, so the linker takes ours instead of the import library's and the product code
// stays untouched. While no capture is active, calls go to the real function.
namespace {

using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
bool capturing = false;

void Install(bool on) {
    capturing = on;
}

int WINAPI RecordOrShow(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    if (capturing) {
        Record(text, caption, style);
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
#else
#include "Platform/Posix/PosixHooks.h"

namespace {

int RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
    Record(text, caption, style);
    return IDOK;
}

void Install(bool on) {
    Platform::SetMessageBoxSink(on ? &RecordBox : nullptr);
}

} // namespace
#endif

BoxCapture::BoxCapture(bool echoToStderr) {
    boxes.clear();
    echo = echoToStderr;
    Install(true);
}

BoxCapture::~BoxCapture() {
    echo = false;
    Install(false);
}

const std::vector<CapturedBox>& BoxCapture::Boxes() const {
    return boxes;
}

std::string BoxCapture::Shown() const {
    std::string shown;
    for (const CapturedBox& box : boxes)
        shown += box.caption + ": " + box.text + "\n";
    return shown;
}

void BoxCapture::Clear() {
    boxes.clear();
}
