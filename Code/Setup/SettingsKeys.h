// The keys of the settings file "Player\Config.ini", written down once: how each is stored,
// which control shows it, where that control takes its value from, its slider range or value
// list, and its default and preset values. The default writer, the completeness check, the
// value lists, the dialog's pages and Apply all read this table: a new setting is one row
// (plus its control in the page template and its label texts).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// How a value is written: SetBool ("%d" of 0 or 1), SetInt ("%d"), SetFloat ("%f") or
// SetString (the text as it stands).
enum class KeyForm { Bool, Int, Float, Text };

// The kind of control that shows a key; None for keys no control shows. A List offers the
// key's value list; a DeviceList holds the detected sound devices and stores the position.
enum class ControlKind { None, CheckBox, List, Slider, DeviceList };

// The section a control is filled from: the one of the configuration choice (OPTIONS,
// OPTIONS_LOW or OPTIONS_HIGH), or always OPTIONS. None for keys no control shows.
enum class KeySource { None, Choice, Options };

// One entry of a list's values, in the order the combo box shows them.
struct ChoiceValue {
    const char* stored; // text in the settings file
    const char* shown;  // localization identifier when `localized`, else the text shown itself
    bool localized;
};

struct SettingsKey {
    const char* key;  // upper-case key name
    KeyForm form;     // how the default writer and the fixed writes of Apply store it
    ControlKind kind; // control that shows it
    int control;      // control id on its page; 0 when none
    int page;         // 0 display, 1 game, 2 audio: the page of its control, or for a key no
                      // control shows the page whose Apply rewrites it; -1: every Apply does
    KeySource shows;  // section the control is filled from
    const char* defaultValue; // value of OPTIONS written by the default writer (exact text);
                              // Apply rewrites a key no control shows with it
    const char* lowValue;     // value in OPTIONS_LOW; null when the key is not in the presets
    const char* highValue;    // value in OPTIONS_HIGH; null when the key is not in the presets
    int rangeMin;             // slider range (positions); 0 for other controls
    int rangeMax;
    int sliderScale;            // slider position = value * sliderScale: 1, or 10 for a real-valued
                                // slider (the single-precision conversions of PageFillMouse.h)
    const ChoiceValue* choices; // a List's values in shown order; null for other controls
    int choiceCount;
};

// One entry of a combo box's value list as the dialog holds it.
struct Choice {
    int listId;          // control number of the combo box
    std::string display; // text shown
    std::string stored;  // text stored in the settings file
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

// The position of `value` among the stored texts of `key`'s list (exact, case-sensitive):
// its first match, or key.choiceCount (no selection) when none matches.
int ChoicePosition(const SettingsKey& key, const std::string& value);

// The values the dialog offers for the list key named `key`, in list order, with their shown
// texts in the current language (Localize "GAME"). Empty for a key that has no value list
// (SOUND_DEVICE lists the detected devices, which only the dialog knows).
std::vector<Choice> ListChoices(const char* key);

// The range of the slider of the key named `key` and its scale (stored value * scale =
// position). False, with the outputs untouched, for a key no slider shows.
bool SliderRange(const char* key, int& rangeMin, int& rangeMax, int& scale);

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
