// velmark-settings / VelmarkSettings.exe: the settings of the game folder from a console.
#include <iostream>
#include <string>
#include <vector>

#include "Cli/CommandLine.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunCommandLine(arguments, std::cout, std::cerr, ProcessCodePages());
}
