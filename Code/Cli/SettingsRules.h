// What the settings dialog accepts, for the command-line tool: the keys a player can name and
// the values each control can show. Built on the key table of Setup/SettingsKeys.h; Apply and
// the rebuild check are Setup/SettingsApply.h's.
#pragma once

#include <string>
#include <vector>

#include "Setup/SettingsKeys.h"

class CIniFile;

// A key the tool lets the player name: its table entry and its section (OPTIONS or PLAYER).
struct KnownKey {
    const SettingsKey* key;
    const char* section;
};

// The 35 keys of OPTIONS in table order, then PLAYER NAME.
const std::vector<KnownKey>& KnownKeys();

// The known key called `name` in any letter case, or null.
const KnownKey* FindKnownKey(const std::string& name);

// Up to `count` known key names closest to `name` (fewest letters to change), closest first.
std::vector<std::string> NearestKeyNames(const std::string& name, size_t count);

// Ends the reason of every finding that makes the settings program rebuild the file.
extern const char* const kRebuildNote;

// What a key's control takes, in words ("takes a whole number from 50 to 100").
// `deviceCount` is the number of sound devices found (the positions SOUND_DEVICE may take).
std::string Takes(const SettingsKey& key, int deviceCount);

// What the settings program makes of one key of its default set in `settings`.
struct SettingJudgement {
    enum Kind {
        Fine,       // missing from no section, and the dialog shows it unchanged (or never
                    // reads it: the presets' keys that no control shows, PLAYER NAME)
        Rebuild,    // missing, empty or "__INI_ERROR__": the whole file is reset at start
        Unshowable, // a list cannot show it; repair writes the default
        Changed,    // the dialog shows and writes another value: `replacement`
    } kind;
    bool present;            // the key stands in the file
    std::string value;       // its value when present
    std::string replacement; // what repair writes (Rebuild, Unshowable, Changed)
    std::string reason;      // why, in words (not Fine)
};
SettingJudgement JudgeSetting(CIniFile& settings, const DefaultSetting& entry, int deviceCount);

// Judges a value the player wants to store into `key`: refused (false, `reason` set) when the
// settings program would rebuild the file for it, when the dialog could not show it unchanged,
// when its control is disabled and no preset holds it, or for keys no control shows, when
// every Apply would write something else. Otherwise `stored` is the text the dialog writes
// for it.
bool AcceptNewValue(const SettingsKey& key, const std::string& text, int deviceCount,
                    std::string& stored, std::string& reason);

// The configuration choice whose values OPTIONS holds for every key the choice decides: 1 or
// 2 when they equal OPTIONS_LOW's or OPTIONS_HIGH's, else 0.
int MatchingConfiguration(CIniFile& settings);
