// The tool's commands. Each works on the game folder that is the working folder, prints to
// the console and returns its exit code (Cli/Console.h).
#pragma once

#include <string>
#include <vector>

#include "Cli/Console.h"

// Every key of OPTIONS and PLAYER with its value, and the configuration they match.
int ShowCommand(const Console& console, bool json);
// The values of the named keys, one a line, in the order given.
int GetCommand(const Console& console, const std::vector<std::string>& keys);
// Stores KEY=VALUE pairs: all of them, or none when one is refused. A missing or empty file is
// written with the defaults first, as the settings program's first start writes it, and the
// pairs then; this is said first.
int SetCommand(const Console& console, const std::vector<std::string>& assignments);
// What choosing "performance" or "quality" and pressing Apply does in the dialog; over the
// defaults, as SetCommand, when the file is missing or empty.
int PresetCommand(const Console& console, const std::string& which);
// What the settings program would rebuild, values it cannot show, keys nobody reads, a
// read-only file. kExitFindings when anything is found.
int CheckCommand(const Console& console, bool json);
// Replaces what is missing or unusable with its default, keeping every other value.
int RepairCommand(const Console& console);
// The sound devices as the audio page lists them.
int DevicesCommand(const Console& console, bool json);
// A translator's check of the localization files. kExitFindings when anything is found.
int StringsCheckCommand(const Console& console, bool json);

// Prints that `name` is no known key, with the nearest known ones: kExitUsage.
int ReportUnknownKey(const Console& console, const std::string& name);
