#include "Setup/SettingsKeys.h"

#include <array>
#include <cstring>

const char* const kSectionOptions = "OPTIONS";
const char* const kSectionOptionsLow = "OPTIONS_LOW";
const char* const kSectionOptionsHigh = "OPTIONS_HIGH";
const char* const kSectionPlayer = "PLAYER";

namespace {

using F = KeyForm;
using C = ControlKind;
using S = KeySource;

const char* const kFilter = "FILTER_BILERP";

// clang-format off
const SettingsKey kOptions[kOptionsKeyCount] = {
//   key                    form     control        id    page shows       default        low            high           slider range and scale
    {"ANIMATEDMENUS",       F::Bool,  C::CheckBox,  1072, 1,  S::Choice,  "0",           "0",           "1",           0, 0, 1},
    {"RESOLUTION",          F::Text,  C::List,      1002, 0,  S::Choice,  "(800,600)",   "(800,600)",   "(1024,768)",  0, 0, 1},
    {"BITDEPTH",            F::Text,  C::List,      1004, 0,  S::Choice,  "32",          "32",          "32",          0, 0, 1},
    {"SEAQUALITY",          F::Text,  C::List,      1005, 0,  S::Choice,  "0",           "0",           "2",           0, 0, 1},
    {"SKYQUALITY",          F::Text,  C::List,      1007, 0,  S::Choice,  "Low",         "Low",         "High",        0, 0, 1},
    {"TERRAINSIZE",         F::Text,  C::None,      0,    -1, S::None,    "High",        "High",        "High",        0, 0, 1},
    {"FORESTDENSITY",       F::Text,  C::List,      1011, 0,  S::Choice,  "1",           "1",           "3",           0, 0, 1},
    {"LOD",                 F::Text,  C::List,      1023, 0,  S::Choice,  "1",           "1",           "0",           0, 0, 1},
    {"SEAANIMATED",         F::Bool,  C::CheckBox,  1006, 0,  S::Choice,  "0",           "0",           "1",           0, 0, 1},
    {"SKYANIMATED",         F::Bool,  C::CheckBox,  1008, 0,  S::Choice,  "0",           "0",           "1",           0, 0, 1},
    {"FORESTANIMATED",      F::Bool,  C::CheckBox,  1012, 0,  S::Choice,  "0",           "0",           "1",           0, 0, 1},
    {"SHADOWS",             F::Bool,  C::CheckBox,  1013, 0,  S::Choice,  "0",           "0",           "0",           0, 0, 1},
    {"TERRAINQUALITY",      F::Int,   C::Slider,    1014, 0,  S::Choice,  "30",          "30",          "100",         20, 100, 1},
    {"FORESTLOADING",       F::Int,   C::Slider,    1019, 0,  S::Choice,  "10",          "10",          "300",         10, 300, 1},
    {"FAR",                 F::Int,   C::Slider,    1024, 0,  S::Choice,  "80",          "50",          "100",         50, 100, 1},
    {"DEATHTIME",           F::Int,   C::Slider,    1016, 1,  S::Choice,  "0",           "5",           "60",          0, 60, 1},
    {"NBDEATH",             F::Int,   C::Slider,    1017, 1,  S::Choice,  "12",          "12",          "240",         12, 240, 1},
    {"SUN",                 F::Float, C::None,      0,    -1, S::None,    "0.000000",    "0.000000",    "0.000000",    0, 0, 1},
    {"FORESTSIZE",          F::Float, C::None,      0,    -1, S::None,    "6.600000",    "6.600000",    "6.600000",    0, 0, 1},
    {"TEXTURINGBIL",        F::Text,  C::None,      0,    -1, S::None,    kFilter,       kFilter,       kFilter,       0, 0, 1},
    {"TEXTURINGFOREST",     F::Text,  C::None,      0,    -1, S::None,    kFilter,       kFilter,       kFilter,       0, 0, 1},
    {"TEXTURINGSHADOWS",    F::Text,  C::None,      0,    -1, S::None,    kFilter,       kFilter,       kFilter,       0, 0, 1},
    {"TEXTURINGTERRAIN",    F::Text,  C::None,      0,    -1, S::None,    kFilter,       kFilter,       kFilter,       0, 0, 1},
    {"ENABLEMANAGEPICKING", F::Text,  C::None,      0,    -1, S::None,    "1",           "1",           "1",           0, 0, 1},
    {"MIPMAP",              F::Text,  C::None,      0,    -1, S::None,    "0",           "0",           "0",           0, 0, 1},
    {"METEO",               F::Text,  C::CheckBox,  1015, 0,  S::Choice,  "1",           "0",           "1",           0, 0, 1},
    {"SOUND_GLOBAL",        F::Int,   C::None,      0,    -1, S::None,    "-1",          nullptr,       nullptr,       0, 0, 1},
    {"SOUND_SAMPLE",        F::Int,   C::Slider,    1063, 2,  S::Options, "1000",        nullptr,       nullptr,       0, 1000, 1},
    {"SOUND_STREAM",        F::Int,   C::Slider,    1065, 2,  S::Options, "1000",        nullptr,       nullptr,       0, 1000, 1},
    {"SOUND_ENABLE",        F::Bool,  C::CheckBox,  1069, 2,  S::Options, "1",           nullptr,       nullptr,       0, 0, 1},
    {"SOUND_DEVICE",        F::Int,   C::List,      1067, 2,  S::Options, "0",           nullptr,       nullptr,       0, 0, 1},
    {"SOUND_STRM_QUALITY",  F::Text,  C::List,      1073, 2,  S::Choice,  "1",           "0",           "1",           0, 0, 1},
    {"SOUND_STRM_STEREO",   F::Text,  C::List,      1074, 2,  S::Choice,  "1",           "0",           "1",           0, 0, 1},
    {"INVERT_MOUSE",        F::Bool,  C::CheckBox,  1071, 1,  S::Options, "0",           nullptr,       nullptr,       0, 0, 1},
    {"MOUSE_SPEED",         F::Float, C::Slider,    1018, 1,  S::Options, "1.500000",    nullptr,       nullptr,       10, 20, 10},
};
// clang-format on

const SettingsKey kPlayerName = {"NAME",   F::Text, C::None, 0, -1, S::None,
                                 "Player", nullptr, nullptr, 0, 0,  1};

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
