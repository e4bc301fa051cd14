#include "Setup/SettingsKeys.h"

#include <array>
#include <cstring>
#include <iterator>

#include "Ini/Localization.h"

const char* const kSectionOptions = "OPTIONS";
const char* const kSectionOptionsLow = "OPTIONS_LOW";
const char* const kSectionOptionsHigh = "OPTIONS_HIGH";
const char* const kSectionPlayer = "PLAYER";

namespace {

using F = KeyForm;
using C = ControlKind;
using S = KeySource;

const char* const kFilter = "FILTER_BILERP";
const char* const kLow = "E_SETUP_LOW";
const char* const kMedium = "E_SETUP_MEDIUM";
const char* const kHigh = "E_SETUP_HIGH";

constexpr ChoiceValue Shown(const char* stored, const char* text) {
    return {stored, text, false};
}
constexpr ChoiceValue Localized(const char* stored, const char* textId) {
    return {stored, textId, true};
}

const ChoiceValue kResolutions[] = {Shown("(800,600)", "800*600"), Shown("(1024,768)", "1024*768")};
const ChoiceValue kBitDepths[] = {Shown("16", "16"), Shown("32", "32")};
const ChoiceValue kSeaQualities[] = {Localized("0", kLow), Localized("1", kMedium),
                                     Localized("2", kHigh)};
const ChoiceValue kSkyQualities[] = {Localized("Low", kLow), Localized("Medium", kMedium),
                                     Localized("High", kHigh)};
const ChoiceValue kForestDensities[] = {Localized("1", kLow), Localized("2", kMedium),
                                        Localized("3", kHigh)};
// The stored level of detail falls as the quality rises.
const ChoiceValue kLods[] = {Localized("2", kLow), Localized("1", kMedium), Localized("0", kHigh)};
const ChoiceValue kStreamQualities[] = {Localized("0", kLow), Localized("1", kHigh)};
const ChoiceValue kStreamStereo[] = {Localized("0", "E_MSG_MENUS_SOUND_MONO"),
                                     Localized("1", "E_MSG_MENUS_SOUND_STEREO")};

// The last five fields of a row: the slider's range and scale, then the List's values.
#define NO_SLIDER 0, 0, 1
#define SLIDER(low, high) low, high, 1
#define NO_VALUES nullptr, 0
#define VALUES(list) list, static_cast<int>(std::size(list))

const int kNoControl = 0;

// clang-format off
const SettingsKey kOptions[kOptionsKeyCount] = {
//   key                     form      control        id          page shows       default       low           high          slider            values
    {"ANIMATEDMENUS",        F::Bool,  C::CheckBox,   1072,       1,   S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"RESOLUTION",           F::Text,  C::List,       1002,       0,   S::Choice,  "(800,600)",  "(800,600)",  "(1024,768)", NO_SLIDER,        VALUES(kResolutions)},
    {"BITDEPTH",             F::Text,  C::List,       1004,       0,   S::Choice,  "32",         "32",         "32",         NO_SLIDER,        VALUES(kBitDepths)},
    {"SEAQUALITY",           F::Text,  C::List,       1005,       0,   S::Choice,  "0",          "0",          "2",          NO_SLIDER,        VALUES(kSeaQualities)},
    {"SKYQUALITY",           F::Text,  C::List,       1007,       0,   S::Choice,  "Low",        "Low",        "High",       NO_SLIDER,        VALUES(kSkyQualities)},
    {"TERRAINSIZE",          F::Text,  C::None,       kNoControl, 0,   S::None,    "High",       "High",       "High",       NO_SLIDER,        NO_VALUES},
    {"FORESTDENSITY",        F::Text,  C::List,       1011,       0,   S::Choice,  "1",          "1",          "3",          NO_SLIDER,        VALUES(kForestDensities)},
    {"LOD",                  F::Text,  C::List,       1023,       0,   S::Choice,  "1",          "1",          "0",          NO_SLIDER,        VALUES(kLods)},
    {"SEAANIMATED",          F::Bool,  C::CheckBox,   1006,       0,   S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"SKYANIMATED",          F::Bool,  C::CheckBox,   1008,       0,   S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"FORESTANIMATED",       F::Bool,  C::CheckBox,   1012,       0,   S::Choice,  "0",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"SHADOWS",              F::Bool,  C::CheckBox,   1013,       0,   S::Choice,  "0",          "0",          "0",          NO_SLIDER,        NO_VALUES},
    {"TERRAINQUALITY",       F::Int,   C::Slider,     1014,       0,   S::Choice,  "30",         "30",         "100",        SLIDER(20, 100),  NO_VALUES},
    {"FORESTLOADING",        F::Int,   C::Slider,     1019,       0,   S::Choice,  "10",         "10",         "300",        SLIDER(10, 300),  NO_VALUES},
    {"FAR",                  F::Int,   C::Slider,     1024,       0,   S::Choice,  "80",         "50",         "100",        SLIDER(50, 100),  NO_VALUES},
    {"DEATHTIME",            F::Int,   C::Slider,     1016,       1,   S::Choice,  "0",          "5",          "60",         SLIDER(0, 60),    NO_VALUES},
    {"NBDEATH",              F::Int,   C::Slider,     1017,       1,   S::Choice,  "12",         "12",         "240",        SLIDER(12, 240),  NO_VALUES},
    {"SUN",                  F::Float, C::None,       kNoControl, -1,  S::None,    "0.000000",   "0.000000",   "0.000000",   NO_SLIDER,        NO_VALUES},
    {"FORESTSIZE",           F::Float, C::None,       kNoControl, -1,  S::None,    "6.600000",   "6.600000",   "6.600000",   NO_SLIDER,        NO_VALUES},
    {"TEXTURINGBIL",         F::Text,  C::None,       kNoControl, -1,  S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"TEXTURINGFOREST",      F::Text,  C::None,       kNoControl, -1,  S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"TEXTURINGSHADOWS",     F::Text,  C::None,       kNoControl, -1,  S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"TEXTURINGTERRAIN",     F::Text,  C::None,       kNoControl, -1,  S::None,    kFilter,      kFilter,      kFilter,      NO_SLIDER,        NO_VALUES},
    {"ENABLEMANAGEPICKING",  F::Text,  C::None,       kNoControl, -1,  S::None,    "1",          "1",          "1",          NO_SLIDER,        NO_VALUES},
    {"MIPMAP",               F::Text,  C::None,       kNoControl, -1,  S::None,    "0",          "0",          "0",          NO_SLIDER,        NO_VALUES},
    {"METEO",                F::Text,  C::CheckBox,   1015,       0,   S::Choice,  "1",          "0",          "1",          NO_SLIDER,        NO_VALUES},
    {"SOUND_GLOBAL",         F::Int,   C::None,       kNoControl, 2,   S::None,    "-1",         nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"SOUND_SAMPLE",         F::Int,   C::Slider,     1063,       2,   S::Options, "1000",       nullptr,      nullptr,      SLIDER(0, 1000),  NO_VALUES},
    {"SOUND_STREAM",         F::Int,   C::Slider,     1065,       2,   S::Options, "1000",       nullptr,      nullptr,      SLIDER(0, 1000),  NO_VALUES},
    {"SOUND_ENABLE",         F::Bool,  C::CheckBox,   1069,       2,   S::Options, "1",          nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"SOUND_DEVICE",         F::Int,   C::DeviceList, 1067,       2,   S::Options, "0",          nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"SOUND_STRM_QUALITY",   F::Text,  C::List,       1073,       2,   S::Choice,  "1",          "0",          "1",          NO_SLIDER,        VALUES(kStreamQualities)},
    {"SOUND_STRM_STEREO",    F::Text,  C::List,       1074,       2,   S::Choice,  "1",          "0",          "1",          NO_SLIDER,        VALUES(kStreamStereo)},
    {"INVERT_MOUSE",         F::Bool,  C::CheckBox,   1071,       1,   S::Options, "0",          nullptr,      nullptr,      NO_SLIDER,        NO_VALUES},
    {"MOUSE_SPEED",          F::Float, C::Slider,     1018,       1,   S::Options, "1.500000",   nullptr,      nullptr,      10, 20, 10,       NO_VALUES},
};
// clang-format on

const SettingsKey kPlayerName = {"NAME", F::Text, C::None, kNoControl, -1, S::None, "Player",
                                 nullptr, nullptr, NO_SLIDER, NO_VALUES};

#undef NO_SLIDER
#undef SLIDER
#undef NO_VALUES
#undef VALUES

using DefaultTable = std::array<DefaultSetting, kDefaultSettingCount>;

DefaultTable BuildDefaultTable() {
    DefaultTable table{};
    size_t n = 0;
    for (const SettingsKey& key : kOptions)
        table[n++] = {kSectionOptions, &key, key.defaultValue};
    for (const SettingsKey& key : kOptions)
        if (key.lowValue)
            table[n++] = {kSectionOptionsLow, &key, key.lowValue};
    for (const SettingsKey& key : kOptions)
        if (key.highValue)
            table[n++] = {kSectionOptionsHigh, &key, key.highValue};
    table[n++] = {kSectionPlayer, &kPlayerName, kPlayerName.defaultValue};
    return table;
}

} // namespace

const SettingsKey* OptionsKeys() {
    return kOptions;
}

const SettingsKey& PlayerNameKey() {
    return kPlayerName;
}

const SettingsKey* FindOptionsKey(const char* key) {
    for (const SettingsKey& entry : kOptions)
        if (std::strcmp(entry.key, key) == 0)
            return &entry;
    return nullptr;
}

const char* ChoiceSection(int configSource) {
    switch (configSource) {
    case 1:
        return kSectionOptionsLow;
    case 2:
        return kSectionOptionsHigh;
    default:
        return kSectionOptions;
    }
}

const DefaultSetting* DefaultSettings() {
    static const DefaultTable table = BuildDefaultTable();
    return table.data();
}

int ChoicePosition(const SettingsKey& key, const std::string& value) {
    for (int i = 0; i < key.choiceCount; ++i)
        if (value == key.choices[i].stored)
            return i;
    return key.choiceCount;
}

std::vector<Choice> ListChoices(const char* key) {
    std::vector<Choice> list;
    const SettingsKey* entry = FindOptionsKey(key);
    for (int i = 0; entry != nullptr && i < entry->choiceCount; ++i) {
        const ChoiceValue& value = entry->choices[i];
        list.push_back(Choice{entry->control,
                              value.localized ? Localize("GAME", value.shown) : value.shown,
                              value.stored});
    }
    return list;
}

bool SliderRange(const char* key, int& rangeMin, int& rangeMax, int& scale) {
    const SettingsKey* entry = FindOptionsKey(key);
    if (entry == nullptr || entry->kind != ControlKind::Slider)
        return false;
    rangeMin = entry->rangeMin;
    rangeMax = entry->rangeMax;
    scale = entry->sliderScale;
    return true;
}
