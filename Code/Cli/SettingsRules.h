// What the settings dialog accepts and does, for the command-line tool: the keys a player can
// name, the values each control can show, and Apply after a configuration choice. Built on the
// key table of Setup/SettingsKeys.h; the few facts the table does not hold yet (the stored
// values of the lists, Apply's order) stand here, each behind one function.
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

// The stored values a list offers, in the order the dialog lists them; empty for a key that
// is not a list of fixed values (the sound device list is the machine's).
std::vector<std::string> ListValues(const SettingsKey& key);

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

// Does to `settings` what choosing configuration `choice` (0 the player's own, 1 best
// performance, 2 best quality) and pressing Apply does in the dialog: every control is filled
// from the section of the choice or from OPTIONS as the dialog fills it, read back, and
// written into OPTIONS with the keys of fixed value. `deviceCount` sound devices are listed.
void ApplyConfigurationChoice(CIniFile& settings, int choice, int deviceCount);

// The configuration choice whose values OPTIONS holds for every key the choice decides: 1 or
// 2 when they equal OPTIONS_LOW's or OPTIONS_HIGH's, else 0.
int MatchingConfiguration(CIniFile& settings);

// True when the settings program would rebuild the file at start: a preset section is
// missing, or one of the 92 keys of the default set is missing or empty.
bool NeedsRebuild(CIniFile& settings);
