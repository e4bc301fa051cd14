// The keys of the settings file "Player\Config.ini", written down once: how each is stored,
// which control shows it, where that control takes its value from, its slider range or value
// list, and its default and preset values. The default writer, the completeness check, the
// value lists, the dialog's pages and Apply all read this table: a new setting is one row
// (plus its control in the page template and its label texts).
#pragma once

#include <cstddef>
#include <iterator>
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
    int applyStep;    // Apply writes the keys of page 0, 1, 2, then -1, each page's keys in
                      // the order of this number
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
    bool disabled = false; // the control is disabled: the player cannot change what it shows
};

// One entry of a combo box's value list as the dialog holds it.
struct Choice {
    int listId;          // control number of the combo box
    std::string display; // text shown
    std::string stored;  // text stored in the settings file
};

// The table itself. Rows in the order the default writer, the completeness check and the
// pages use; a value list in the order its combo box shows it.
namespace settings_rows {

using F = KeyForm;
using C = ControlKind;
using S = KeySource;

constexpr const char* kFilter = "FILTER_BILERP";
constexpr const char* kLow = "E_SETUP_LOW";
constexpr const char* kMedium = "E_SETUP_MEDIUM";
constexpr const char* kHigh = "E_SETUP_HIGH";

constexpr ChoiceValue Shown(const char* stored, const char* text) {
    return {stored, text, false};
}
constexpr ChoiceValue Localized(const char* stored, const char* textId) {
    return {stored, textId, true};
}

constexpr ChoiceValue kResolutions[] = {Shown("(800,600)", "800*600"),
                                        Shown("(1024,768)", "1024*768")};
constexpr ChoiceValue kBitDepths[] = {Shown("16", "16"), Shown("32", "32")};
constexpr ChoiceValue kSeaQualities[] = {Localized("0", kLow), Localized("1", kMedium),
                                         Localized("2", kHigh)};
constexpr ChoiceValue kSkyQualities[] = {Localized("Low", kLow), Localized("Medium", kMedium),
                                         Localized("High", kHigh)};
constexpr ChoiceValue kForestDensities[] = {Localized("1", kLow), Localized("2", kMedium),
                                            Localized("3", kHigh)};
// The stored level of detail falls as the quality rises.
constexpr ChoiceValue kLods[] = {Localized("2", kLow), Localized("1", kMedium),
                                 Localized("0", kHigh)};
constexpr ChoiceValue kStreamQualities[] = {Localized("0", kLow), Localized("1", kHigh)};
constexpr ChoiceValue kStreamStereo[] = {Localized("0", "E_MSG_MENUS_SOUND_MONO"),
                                         Localized("1", "E_MSG_MENUS_SOUND_STEREO")};

// The last five fields of a row: the slider's range and scale, then the List's values.
#define NO_SLIDER 0, 0, 1
#define SLIDER(low, high) low, high, 1
#define NO_VALUES nullptr, 0
#define VALUES(list) list, static_cast<int>(std::size(list))

constexpr int kNoControl = 0;
constexpr bool kDisabled = true;

// clang-format off
constexpr SettingsKey kOptions[] = {
//   key                     form      control        id          page apply shows       default       low           high          slider            values
    {"ANIMATEDMENUS",        F::Bool,  C::CheckBox,   1072,       1,   4,    S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"RESOLUTION",           F::Text,  C::List,       1002,       0,   1,    S::Choice,  "(800,600)",  "(800,600)",  "(1024,768)", NO_SLIDER,        VALUES(kResolutions)},
    {"BITDEPTH",             F::Text,  C::List,       1004,       0,   2,    S::Choice,  "32",         "32",         "32",         NO_SLIDER,        VALUES(kBitDepths)},
    {"SEAQUALITY",           F::Text,  C::List,       1005,       0,   3,    S::Choice,  "0",          "0",          "2",          NO_SLIDER,        VALUES(kSeaQualities)},
    {"SKYQUALITY",           F::Text,  C::List,       1007,       0,   4,    S::Choice,  "Low",        "Low",        "High",       NO_SLIDER,        VALUES(kSkyQualities)},
    {"TERRAINSIZE",          F::Text,  C::None,       kNoControl, 0,   5,    S::None,    "High",       "High",       "High",       NO_SLIDER,        NO_VALUES},
    {"FORESTDENSITY",        F::Text,  C::List,       1011,       0,   6,    S::Choice,  "1",          "1",          "3",          NO_SLIDER,        VALUES(kForestDensities)},
    {"LOD",                  F::Text,  C::List,       1023,       0,   7,    S::Choice,  "1",          "1",          "0",          NO_SLIDER,        VALUES(kLods)},
    {"SEAANIMATED",          F::Bool,  C::CheckBox,   1006,       0,   8,    S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"SKYANIMATED",          F::Bool,  C::CheckBox,   1008,       0,   9,    S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"FORESTANIMATED",       F::Bool,  C::CheckBox,   1012,       0,   10,   S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    // Its check box is disabled in the page template: the player cannot change it.
    {"SHADOWS",              F::Bool,  C::CheckBox,   1013,       0,   11,   S::Choice,  "0",          "0",          "0",          NO_SLIDER,        NO_VALUES, kDisabled},
    {"TERRAINQUALITY",       F::Int,   C::Slider,     1014,       0,   12,   S::Choice,  "30",         "30",         "100",        SLIDER(20, 100),  NO_VALUES},
    {"FORESTLOADING",        F::Int,   C::Slider,     1019,       0,   13,   S::Choice,  "10",         "10",         "300",        SLIDER(10, 300),  NO_VALUES},
    {"FAR",                  F::Int,   C::Slider,     1024,       0,   14,   S::Choice,  "80",         "50",         "100",        SLIDER(50, 100),  NO_VALUES},
    {"DEATHTIME",            F::Int,   C::Slider,     1016,       1,   1,    S::Choice,  "0",          "5",          "60",         SLIDER(0, 60),    NO_VALUES},
    {"NBDEATH",              F::Int,   C::Slider,     1017,       1,   2,    S::Choice,  "12",         "12",         "240",        SLIDER(12, 240),  NO_VALUES},
    {"SUN",                  F::Float, C::None,       kNoControl, -1,  1,    S::None,    "0.000000",   "0.000000",   "0.000000",   NO_SLIDER,        NO_VALUES},
    {"FORESTSIZE",           F::Float, C::None,       kNoControl, -1,  2,    S::None,    "6.600000",   "6.600000",   "6.600000",   NO_SLIDER,        NO_VALUES},
    {"TEXTURINGBIL",         F::Text,  C::None,       kNoControl, -1,  3,    S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"TEXTURINGFOREST",      F::Text,  C::None,       kNoControl, -1,  4,    S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"TEXTURINGSHADOWS",     F::Text,  C::None,       kNoControl, -1,  5,    S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"TEXTURINGTERRAIN",     F::Text,  C::None,       kNoControl, -1,  6,    S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"ENABLEMANAGEPICKING",  F::Text,  C::None,       kNoControl, -1,  7,    S::None,    "1",          "1",          "1",          NO_SLIDER,        NO_VALUES},
    {"MIPMAP",               F::Text,  C::None,       kNoControl, -1,  8,    S::None,    "0",          "0",          "0",          NO_SLIDER,        NO_VALUES},
    {"METEO",                F::Text,  C::CheckBox,   1015,       0,   15,   S::Choice,  "1",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"SOUND_GLOBAL",         F::Int,   C::None,       kNoControl, 2,   1,    S::None,    "-1",         nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"SOUND_SAMPLE",         F::Int,   C::Slider,     1063,       2,   2,    S::Options, "1000",       nullptr,      nullptr,      SLIDER(0, 1000),  NO_VALUES},
    {"SOUND_STREAM",         F::Int,   C::Slider,     1065,       2,   3,    S::Options, "1000",       nullptr,      nullptr,      SLIDER(0, 1000),  NO_VALUES},
    {"SOUND_ENABLE",         F::Bool,  C::CheckBox,   1069,       2,   4,    S::Options, "1",          nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"SOUND_DEVICE",         F::Int,   C::DeviceList, 1067,       2,   5,    S::Options, "0",          nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"SOUND_STRM_QUALITY",   F::Text,  C::List,       1073,       2,   7,    S::Choice,  "1",          "0",          "1",          NO_SLIDER,        VALUES(kStreamQualities)},
    {"SOUND_STRM_STEREO",    F::Text,  C::List,       1074,       2,   6,    S::Choice,  "1",          "0",          "1",          NO_SLIDER,        VALUES(kStreamStereo)},
    {"INVERT_MOUSE",         F::Bool,  C::CheckBox,   1071,       1,   3,    S::Options, "0",          nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"MOUSE_SPEED",          F::Float, C::Slider,     1018,       1,   5,    S::Options, "1.500000",   nullptr,      nullptr,      10, 20, 10,       NO_VALUES},
};
// clang-format on

// The one key of PLAYER.
constexpr SettingsKey kPlayerName = {"NAME",  F::Text,  C::None, kNoControl, -1,        0,
                                     S::None, "Player", nullptr, nullptr,    NO_SLIDER, NO_VALUES};

#undef NO_SLIDER
#undef SLIDER
#undef NO_VALUES
#undef VALUES

constexpr size_t CountPresetKeys() {
    size_t count = 0;
    for (const SettingsKey& key : kOptions)
        count += (key.lowValue != nullptr ? 1 : 0) + (key.highValue != nullptr ? 1 : 0);
    return count;
}

} // namespace settings_rows

// The settings file, relative to the game's folder.
extern const char* const kSettingsPath; // "Player\Config.ini"

// Section names of the settings file.
extern const char* const kSectionOptions;     // "OPTIONS"
extern const char* const kSectionOptionsLow;  // "OPTIONS_LOW"
extern const char* const kSectionOptionsHigh; // "OPTIONS_HIGH"
extern const char* const kSectionPlayer;      // "PLAYER"

// The 35 keys of OPTIONS, in the order the default writer and the completeness check use.
constexpr size_t kOptionsKeyCount = std::size(settings_rows::kOptions);
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
constexpr size_t kDefaultSettingCount = kOptionsKeyCount + settings_rows::CountPresetKeys() + 1;
const DefaultSetting* DefaultSettings(); // kDefaultSettingCount entries
