// The settings file "Player\Config.ini" as the tool reads and writes it: read without ever
// creating it, written only through the program's own atomic save.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "Cli/Console.h"
#include "Setup/SettingsKeys.h" // kSettingsPath

class CIniFile;

enum class FileState { Loaded, Missing, Empty, Unreadable };

// Reads an existing file into `document`. Unlike CIniFile::Load alone, a missing file is
// reported as Missing and not created. Unreadable files have had the file object's box.
FileState LoadExisting(const std::string& path, CIniFile& document);

// LoadExisting of the settings file the game reads: the current user's VirtualStore copy when
// there is one, else the file itself.
FileState LoadSettingsFile(CIniFile& settings);

// Reads the settings file the game reads for a command; on failure prints why to `err` and returns
// kExitFileError, else kExitOk. With `forWriting`, a file that the settings program would
// rebuild at start is refused as well, since writing into it would be lost there.
int OpenSettings(const Console& console, CIniFile& settings, bool forWriting);

// Saves through CIniFile::Save as SaveAsTheGameReads does, and says in one line what it did
// with a VirtualStore copy; kExitOk once the file the game reads was written. Else the old file
// is untouched and the error printed: kExitFileError.
int SaveSettings(const Console& console, CIniFile& settings);

// Every key of the document and of its sections, (section, key) -> value, to compare a
// document before and after a change.
using SettingsSnapshot = std::map<std::pair<std::string, std::string>, std::string>;
SettingsSnapshot TakeSnapshot(CIniFile& settings);

// Prints one line per key whose value differs: SECTION KEY: "old" -> "new" (missing when it
// was not there). Returns the number of lines.
int PrintChanges(const Console& console, const SettingsSnapshot& before,
                 const SettingsSnapshot& after);

// The number of sound devices the audio page would list.
int CountSoundDevices();
