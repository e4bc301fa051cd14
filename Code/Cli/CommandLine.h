// The tool's command line: parses the arguments (without the program name), enters the game
// folder, runs the command and returns its exit code (Cli/Console.h). Help and version go to
// `out`; usage errors to `err` with kExitUsage.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
