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

// What the dialog makes of a value.
struct ValueVerdict {
    enum Kind {
        Usable,     // a control shows it as it is, or no control shows it and it is not empty
        Unshowable, // outside its list or range, or not in the form its control reads
        Empty,      // the settings program rebuilds the whole file when a key is empty
    } kind;
    std::string stored; // the form the dialog would store (for Usable values of a control)
    std::string reason; // for the others: what the key takes
};

// Judges `text` as a value of `key`. `deviceCount` is the number of sound devices found (the
// positions SOUND_DEVICE may take).
ValueVerdict JudgeValue(const SettingsKey& key, const std::string& text, int deviceCount);

// Judges a value the player wants to store: as JudgeValue, and keys that no control shows
// take only what the settings program writes there itself. False with `reason` set when the
// value is refused; otherwise `stored` is the text to store.
bool AcceptNewValue(const SettingsKey& key, const std::string& text, int deviceCount,
                    std::string& stored, std::string& reason);

// The configuration choice whose values OPTIONS holds for every key the choice decides: 1 or
// 2 when they equal OPTIONS_LOW's or OPTIONS_HIGH's, else 0.
int MatchingConfiguration(CIniFile& settings);
