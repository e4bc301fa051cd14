#include "Setup/SettingsApply.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "Ini/CIniFile.h"
#include "Setup/PageFillMouse.h"

namespace {

// Apply's order of writes: the display page, the game page, the audio page, then the keys
// every Apply rewrites. A key not named here is written after these, in table order.
// clang-format off
const char* const kApplyOrder[] = {
    // Display page.
    "RESOLUTION", "BITDEPTH", "SEAQUALITY", "SKYQUALITY", "TERRAINSIZE", "FORESTDENSITY", "LOD",
    "SEAANIMATED", "SKYANIMATED", "FORESTANIMATED", "SHADOWS", "TERRAINQUALITY", "FORESTLOADING",
    "FAR", "METEO",
    // Game page.
    "DEATHTIME", "NBDEATH", "INVERT_MOUSE", "ANIMATEDMENUS", "MOUSE_SPEED",
    // Audio page.
    "SOUND_GLOBAL", "SOUND_SAMPLE", "SOUND_STREAM", "SOUND_ENABLE", "SOUND_DEVICE",
    "SOUND_STRM_STEREO", "SOUND_STRM_QUALITY",
    // Every Apply.
    "SUN", "FORESTSIZE", "TEXTURINGBIL", "TEXTURINGFOREST", "TEXTURINGSHADOWS", "TEXTURINGTERRAIN",
    "ENABLEMANAGEPICKING", "MIPMAP",
};
// clang-format on

std::vector<const SettingsKey*> BuildApplyOrder() {
    std::vector<const SettingsKey*> order;
    for (const char* name : kApplyOrder)
        if (const SettingsKey* key = FindOptionsKey(name))
            order.push_back(key);
    for (size_t i = 0; i < kOptionsKeyCount; ++i)
        if (std::find(order.begin(), order.end(), &OptionsKeys()[i]) == order.end())
            order.push_back(&OptionsKeys()[i]);
    return order;
}

const char* ShownSection(const SettingsKey& key, int configSource) {
    return key.shows == KeySource::Choice ? ChoiceSection(configSource) : kSectionOptions;
}

} // namespace

CIniFile& OptionsSection(CIniFile& settings) {
    CIniFile* options = settings.FindSection(kSectionOptions);
    return options != nullptr ? *options : *settings.AddSection(kSectionOptions);
}

bool IsDefaultSetIncomplete(CIniFile& settings) {
    const DefaultSetting* defaults = DefaultSettings();
    for (size_t i = 0; i < kDefaultSettingCount; ++i) {
        if (settings.GetStringOr(defaults[i].section, defaults[i].key->key, "").empty())
            return true;
    }
    return false;
}

bool NeedsDefaultSettings(CIniFile& settings) {
    return !settings.FindSection(kSectionOptionsLow) ||
           !settings.FindSection(kSectionOptionsHigh) || IsDefaultSetIncomplete(settings);
}

void StoreSetting(CIniFile& section, const SettingsKey& key, const char* value) {
    switch (key.form) {
    case KeyForm::Bool:
        section.SetBool(key.key, std::atoi(value) != 0, true);
        break;
    case KeyForm::Int:
        section.SetInt(key.key, std::atoi(value), true);
        break;
    case KeyForm::Float:
        section.SetFloat(key.key, static_cast<float>(std::atof(value)), true);
        break;
    case KeyForm::Text:
        section.SetString(key.key, value, true);
        break;
    }
}

int ShownControlState(CIniFile& settings, const SettingsKey& key, int configSource) {
    const char* sectionName = ShownSection(key, configSource);
    CIniFile* section = settings.FindSection(sectionName);
    switch (key.kind) {
    case ControlKind::CheckBox:
        return section != nullptr && section->GetBool(key.key) ? 1 : 0;
    case ControlKind::Slider:
        if (key.sliderScale != 1)
            return section != nullptr ? MouseSpeedPosition(section->GetFloat(key.key)) : 0;
        return section != nullptr ? section->GetInt(key.key) : kIniMissingInt;
    case ControlKind::DeviceList:
        return section != nullptr ? section->GetInt(key.key) : kIniMissingInt;
    case ControlKind::List:
        return ChoicePosition(key, settings.GetString(sectionName, key.key));
    case ControlKind::None:
        break;
    }
    return 0;
}

void StoreControlState(CIniFile& settings, const SettingsKey& key, int state) {
    CIniFile& options = OptionsSection(settings);
    switch (key.kind) {
    case ControlKind::CheckBox:
        options.SetBool(key.key, state != 0, true);
        break;
    case ControlKind::Slider:
        if (key.sliderScale != 1)
            options.SetFloat(key.key, MouseSpeedValue(state), true);
        else
            options.SetInt(key.key, state, true);
        break;
    case ControlKind::DeviceList:
        options.SetInt(key.key, state, true);
        break;
    case ControlKind::List:
        // A list without a selection keeps the key's present value.
        if (state >= 0 && state < key.choiceCount)
            options.SetString(key.key, key.choices[state].stored, true);
        break;
    case ControlKind::None:
        StoreSetting(options, key, key.defaultValue);
        break;
    }
}

void WriteAppliedKeys(CIniFile& settings, const bool pageExists[3],
                      const std::function<int(const SettingsKey&)>& controlState) {
    static const std::vector<const SettingsKey*> order = BuildApplyOrder();
    for (const SettingsKey* key : order) {
        if (key->page >= 0 && !pageExists[key->page])
            continue;
        StoreControlState(settings, *key, key->kind == ControlKind::None ? 0 : controlState(*key));
    }
}

void ApplyConfigurationChoice(CIniFile& settings, int choice, int deviceCount) {
    // The dialog fills every control before Apply writes the first key.
    int states[kOptionsKeyCount];
    for (size_t i = 0; i < kOptionsKeyCount; ++i) {
        const SettingsKey& key = OptionsKeys()[i];
        int state = ShownControlState(settings, key, choice);
        if (key.kind == ControlKind::Slider)
            state = std::min(std::max(state, key.rangeMin), key.rangeMax);
        if (key.kind == ControlKind::DeviceList && (state < 0 || state >= deviceCount))
            state = -1;
        states[i] = state;
    }
    const bool allPages[3] = {true, true, true};
    WriteAppliedKeys(settings, allPages,
                     [&](const SettingsKey& key) { return states[&key - OptionsKeys()]; });
}
