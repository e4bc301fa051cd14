// The tool's command line: parses the arguments (without the program name), enters the game
// folder, runs the command and returns its exit code (Cli/Console.h). Help and version go to
// `out`; usage errors to `err` with kExitUsage.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Cli/ConsoleText.h"

// `pages` are those of the person's console: the words of the command (keys, values) are taken
// from `pages.typed` into the files' code page, and what is printed for reading is shown in
// `pages.shown`. The game folder's name is taken in `pages.typed` as well, whatever characters
// it holds (the files in it keep their Windows-1252 names).
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const ConsoleCodePages& pages = ConsoleCodePages());
