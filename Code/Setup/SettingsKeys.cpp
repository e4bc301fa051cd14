#include "Setup/SettingsKeys.h"

#include <array>
#include <cstring>

#include "Ini/Localization.h"

const char* const kSettingsPath = "Player\\Config.ini";
const char* const kSectionOptions = "OPTIONS";
const char* const kSectionOptionsLow = "OPTIONS_LOW";
const char* const kSectionOptionsHigh = "OPTIONS_HIGH";
const char* const kSectionPlayer = "PLAYER";

namespace {

using settings_rows::kOptions;
using settings_rows::kPlayerName;
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
