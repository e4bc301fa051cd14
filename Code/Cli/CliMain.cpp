// velmark-settings: the settings of the game folder from a terminal. Its arguments are bytes
// in the locale's character set.
#include <string>
#include <vector>

#include "Cli/CommandLine.h"
#include "Cli/ConsoleStreams.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    ProcessConsole& console = TheProcessConsole();
    return RunCommandLine(arguments, console.out, console.err,
                          {ProcessCodePages().typed, console.shown});
}
