#include "BoxCapture.h"

#include <cstdio>

#include "Platform/Win32.h"

#if !defined(WINAPI)
#define WINAPI // the native build's MessageBoxA has the default calling convention
#endif

static std::vector<CapturedBox> boxes;
static bool capturing = false;
static bool echo = false;

// Takes the place of MessageBoxA: records the box while a capture lives, otherwise prints it
// as the native build's own default does. Either way the answer is OK, so no test waits.
static int WINAPI Answer(HWND, LPCSTR text, LPCSTR caption, UINT style) {
    if (!capturing) {
        std::fprintf(stderr, "[%s] %s\n", caption, text);
    } else {
        boxes.push_back({caption ? caption : "", text ? text : "", style});
        if (echo)
            std::fprintf(stderr, "box %u %s: %s\n", static_cast<unsigned>(boxes.size()),
                         boxes.back().caption.c_str(), boxes.back().text.c_str());
    }
    std::fflush(stderr);
    return IDOK;
}

#if defined(_WIN32)
// The program calls USER32's MessageBoxA through its import slot. A test program defines that
// slot itself, so the linker takes ours instead of the import library's and the product code
// stays untouched.
using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
extern "C" {
#if defined(_WIN64)
MessageBoxFn __imp_MessageBoxA = &Answer;
#else
MessageBoxFn _imp__MessageBoxA_16 __asm__("__imp__MessageBoxA@16") = &Answer;
#endif
}
#else
#include "Platform/Posix/PosixHooks.h"

const bool installed = (Platform::SetMessageBoxSink(&Answer), true);
#endif

BoxCapture::BoxCapture(bool echoToStderr) {
    boxes.clear();
    capturing = true;
    echo = echoToStderr;
}

BoxCapture::~BoxCapture() {
    capturing = echo = false;
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

std::string SystemText(unsigned long code) {
    char* text = nullptr;
    FormatMessageA(0x1300, nullptr, DWORD(code), 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    const std::string sentence = text ? text : "";
    LocalFree(text);
    return sentence;
}
