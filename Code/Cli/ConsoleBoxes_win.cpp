// A console tool must not stop on a message box. The core shows its reports through USER32's
// MessageBoxA, called through its import slot; this program defines that slot itself, so the
// linker takes ours instead of the import library's, and every box text goes to standard
// error as the native build's platform layer prints it, in the console's code page (the
// texts are Windows-1252, as the dialog shows them). The dialog is linked without this file
// and keeps its boxes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Cli/Console.h"
#include "Cli/ConsoleText.h"

namespace {

int WINAPI PrintBox(HWND, LPCSTR text, LPCSTR caption, UINT) {
    const unsigned shown = ProcessCodePages().shown;
    const std::string printed = Recode(caption ? caption : "Error", kFileCodePage, shown);
    std::fprintf(stderr, "[%s] %s\n", printed.c_str(),
                 Recode(text ? text : "", kFileCodePage, shown).c_str());
    std::fflush(stderr);
    return IDOK;
}

using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

} // namespace

extern "C" {
#if defined(_WIN64)
MessageBoxFn __imp_MessageBoxA = &PrintBox;
#else
MessageBoxFn _imp__MessageBoxA_16 __asm__("__imp__MessageBoxA@16") = &PrintBox;
#endif
}
