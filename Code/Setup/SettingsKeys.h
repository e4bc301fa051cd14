// The keys of the settings file "Player\Config.ini", written down once: how each is stored,
// which control shows it, where that control takes its value from, and its default and preset
// values. The default writer, the completeness check and the dialog's pages read this table.
#pragma once

#include <cstddef>

// How a value is written: SetBool ("%d" of 0 or 1), SetInt ("%d"), SetFloat ("%f") or
// SetString (the text as it stands).
enum class KeyForm { Bool, Int, Float, Text };

// The kind of control that shows a key; None for keys no control shows.
enum class ControlKind { None, CheckBox, List, Slider };

// The section a control is filled from: the one of the configuration choice (OPTIONS,
// OPTIONS_LOW or OPTIONS_HIGH), or always OPTIONS. None for keys no control shows.
enum class KeySource { None, Choice, Options };

struct SettingsKey {
    const char* key;          // upper-case key name
    KeyForm form;             // how the default writer stores it
    ControlKind kind;         // control that shows it
    int control;              // control id on its page; 0 when none
    int page;                 // 0 display, 1 game, 2 audio; -1 when no control shows it
    KeySource shows;          // section the control is filled from
    const char* defaultValue; // value of OPTIONS written by the default writer (exact text)
    const char* lowValue;     // value in OPTIONS_LOW; null when the key is not in the presets
    const char* highValue;    // value in OPTIONS_HIGH; null when the key is not in the presets
    int rangeMin;             // slider range (positions); 0 for other controls
    int rangeMax;
    int sliderScale; // slider position = value * sliderScale (10 for MOUSE_SPEED, else 1)
};

// Section names of the settings file.
extern const char* const kSectionOptions;     // "OPTIONS"
extern const char* const kSectionOptionsLow;  // "OPTIONS_LOW"
extern const char* const kSectionOptionsHigh; // "OPTIONS_HIGH"
extern const char* const kSectionPlayer;      // "PLAYER"

// The 35 keys of OPTIONS, in the order the default writer and the completeness check use.
constexpr size_t kOptionsKeyCount = 35;
const SettingsKey* OptionsKeys(); // kOptionsKeyCount entries

// The one key of PLAYER: NAME, default "Player", shown by no control.
const SettingsKey& PlayerNameKey();

// The key of OPTIONS named `key` (exact upper-case name), or null.
const SettingsKey* FindOptionsKey(const char* key);

// The section whose values the pages show for a configuration choice: 0 OPTIONS,
// 1 OPTIONS_LOW, 2 OPTIONS_HIGH; OPTIONS for any other value.
const char* ChoiceSection(int configSource);

// One key of the default set: the section, the key's table entry and the value written.
struct DefaultSetting {
    const char* section;
    const SettingsKey* key;
    const char* value;
};

// The 92 keys of the default set in writing order: the 35 keys of OPTIONS with their
// defaults, the 28 preset keys of OPTIONS_LOW, the 28 of OPTIONS_HIGH (table order, keys
// without a preset value left out), then PLAYER NAME.
constexpr size_t kDefaultSettingCount = 92;
const DefaultSetting* DefaultSettings(); // kDefaultSettingCount entries
