#include "Cli/ConsoleStreams.h"

#include <iostream>

#include "Cli/ConsoleText.h"

ProcessConsole& TheProcessConsole() {
    static ProcessConsole console{std::cout, std::cerr, ProcessCodePages().shown};
    return console;
}
