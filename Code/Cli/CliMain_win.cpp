// VelmarkSettings.exe: the settings of the game folder from a console. It starts from the wide
// command line (linked with -municode, the runtime's start-up splits it and calls wmain), so
// that every typed character reaches the commands, in UTF-8: the ANSI arguments would already
// hold best-fit stand-ins ("L" for "Ł") and could not name every folder.
#include <windows.h>

#include <string>
#include <vector>

#include "Cli/CommandLine.h"
#include "Cli/ConsoleStreams.h"

namespace {

// Malformed UTF-16 (a lone surrogate) becomes U+FFFD, which the commands refuse.
std::string Utf8Of(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size : 1, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, &text[0], size, nullptr, nullptr);
    text.pop_back(); // the terminating zero
    return text;
}

} // namespace

extern "C" int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(Utf8Of(argv[i]));
    ProcessConsole& console = TheProcessConsole();
    const int code =
        RunCommandLine(arguments, console.out, console.err, {kUtf8CodePage, console.shown});
    console.out.flush();
    console.err.flush();
    return code;
}
