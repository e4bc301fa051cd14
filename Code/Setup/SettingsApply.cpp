#include "Setup/SettingsApply.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "Ini/CIniFile.h"
#include "Setup/PageFillMouse.h"

namespace {

// Apply writes the display, game and audio pages, then the keys every Apply rewrites (page
// -1); each page's keys in the order of their applyStep.
std::vector<const SettingsKey*> BuildApplyOrder() {
    std::vector<const SettingsKey*> order;
    for (size_t i = 0; i < kOptionsKeyCount; ++i)
        order.push_back(&OptionsKeys()[i]);
    auto rank = [](const SettingsKey* key) {
        return std::make_pair(key->page < 0 ? 3 : key->page, key->applyStep);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const SettingsKey* a, const SettingsKey* b) { return rank(a) < rank(b); });
    return order;
}

const char* ShownSection(const SettingsKey& key, int configSource) {
    return key.shows == KeySource::Choice ? ChoiceSection(configSource) : kSectionOptions;
}

// The state a control keeps once shown: a slider stops at its ends; a device position
// outside the list selects nothing, which the list reports as -1.
int LimitedState(const SettingsKey& key, int state, int deviceCount) {
    if (key.kind == ControlKind::Slider)
        return std::min(std::max(state, key.rangeMin), key.rangeMax);
    if (key.kind == ControlKind::DeviceList && (state < 0 || state >= deviceCount))
        return -1;
    return state;
}

// The value the dialog reads from `text` through the getter of the key's control (or of its
// stored form for a key no control shows), as comparable text.
std::string Reading(const SettingsKey& key, const std::string& text) {
    static CIniFile section; // a scratch section, kept: a document is costly to make
    section.SetString(key.key, text, true);
    const bool real =
        key.kind == ControlKind::Slider ? key.sliderScale != 1 : key.form == KeyForm::Float;
    if (key.kind == ControlKind::CheckBox ||
        (key.kind == ControlKind::None && key.form == KeyForm::Bool))
        return section.GetBool(key.key) ? "1" : "0";
    if (real) {
        char exact[64];
        std::snprintf(exact, sizeof exact, "%a", static_cast<double>(section.GetFloat(key.key)));
        return exact;
    }
    if (key.kind == ControlKind::List ||
        (key.kind == ControlKind::None && key.form == KeyForm::Text))
        return text;
    return std::to_string(section.GetInt(key.key));
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

void StoreDefaultSettings(CIniFile& settings) {
    const DefaultSetting* defaults = DefaultSettings();
    for (size_t i = 0; i < kDefaultSettingCount; ++i) {
        CIniFile* section = settings.FindSection(defaults[i].section);
        if (!section)
            section = settings.AddSection(defaults[i].section);
        StoreSetting(*section, *defaults[i].key, defaults[i].value);
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
            return section != nullptr ? ScaledSliderPosition(key, section->GetFloat(key.key)) : 0;
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
            options.SetFloat(key.key, ScaledSliderValue(key, state), true);
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
        states[i] = LimitedState(key, ShownControlState(settings, key, choice), deviceCount);
    }
    const bool allPages[3] = {true, true, true};
    WriteAppliedKeys(settings, allPages,
                     [&](const SettingsKey& key) { return states[&key - OptionsKeys()]; });
}

DialogReading ReadAsDialog(const SettingsKey& key, const std::string& text, int deviceCount) {
    // Scratch documents, kept: a document is costly to make. Only the key at hand is read.
    static CIniFile shown;
    static CIniFile applied;
    OptionsSection(shown).SetString(key.key, text, true);
    const int state = LimitedState(key, ShownControlState(shown, key, 0), deviceCount);
    if (key.kind == ControlKind::List && state >= key.choiceCount)
        return {DialogReading::Unshowable, std::string()};
    if (key.kind == ControlKind::DeviceList && state < 0) {
        // No selection: Apply writes -1. The default stands too: the settings program writes
        // it itself, even where no device was found.
        const std::string reading = Reading(key, text);
        if (reading != Reading(key, "-1") && reading != Reading(key, key.defaultValue))
            return {DialogReading::Unshowable, std::string()};
        return {DialogReading::Kept, text};
    }
    StoreControlState(applied, key, state);
    const std::string written = OptionsSection(applied).GetString(key.key);
    return {Reading(key, text) == Reading(key, written) ? DialogReading::Kept
                                                        : DialogReading::Changed,
            written};
}
