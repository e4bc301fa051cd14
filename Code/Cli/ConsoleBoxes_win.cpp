// A console tool must not stop on a message box. The core shows its reports through USER32's
// MessageBoxA, called through its import slot; this program defines that slot itself, so the
// linker takes ours instead of the import library's, and every box text goes to standard
// error as the native build's platform layer prints it, shown as the rest of the tool's text
// (Cli/ConsoleStreams.h; the texts are Windows-1252, as the dialog shows them). The dialog is
// linked without this file and keeps its boxes.
#include <windows.h>

#include <string>

#include "Cli/Console.h"
#include "Cli/ConsoleStreams.h"
#include "Cli/ConsoleText.h"

namespace {

int WINAPI PrintBox(HWND, LPCSTR text, LPCSTR caption, UINT) {
    ProcessConsole& console = TheProcessConsole();
    // Flushed at once: an error box may be followed by the end of the process.
    console.err << '[' << Recode(caption ? caption : "Error", kFileCodePage, console.shown) << "] "
                << Recode(text ? text : "", kFileCodePage, console.shown) << std::endl;
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
