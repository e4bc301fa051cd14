#include "Cli/SettingsRules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Ini/CIniFile.h"
#include "Setup/SettingsApply.h"

namespace {

bool IsScaledSlider(const SettingsKey& key) {
    return key.kind == ControlKind::Slider && key.sliderScale != 1;
}

// The stored values of a list, in the order the dialog lists them.
std::string ListedValues(const SettingsKey& key) {
    std::string out;
    for (int i = 0; i < key.choiceCount; ++i)
        out += std::string(i == 0 ? "" : ", ") + key.choices[i].stored;
    return out;
}

// Empty and "__INI_ERROR__" read as a missing key: the whole file is rebuilt at start.
const char* ReadAsMissing(const std::string& text) {
    if (text.empty())
        return "is empty";
    if (text == kIniErrorValue)
        return "holds \"__INI_ERROR__\", which reads as a missing key";
    return nullptr;
}

} // namespace

const char* const kRebuildNote =
    "; the settings program resets every value to its default at start";

// What a key's control takes, in words.
std::string Takes(const SettingsKey& key, int deviceCount) {
    char buffer[160];
    switch (key.kind) {
    case ControlKind::DeviceList:
        if (deviceCount > 0)
            std::snprintf(buffer, sizeof buffer,
                          "takes a position in the sound device list, 0 to %d (-1: none)",
                          deviceCount - 1);
        else
            std::snprintf(buffer, sizeof buffer, "takes 0 or -1 (no sound device was found)");
        return buffer;
    case ControlKind::CheckBox:
        return "takes 0 or 1";
    case ControlKind::List:
        return "takes one of " + ListedValues(key);
    case ControlKind::Slider:
        if (IsScaledSlider(key))
            std::snprintf(buffer, sizeof buffer, "takes a speed from %.1f to %.1f in steps of %.1f",
                          double(key.rangeMin) / key.sliderScale,
                          double(key.rangeMax) / key.sliderScale, 1.0 / key.sliderScale);
        else
            std::snprintf(buffer, sizeof buffer, "takes a whole number from %d to %d", key.rangeMin,
                          key.rangeMax);
        return buffer;
    case ControlKind::None:
        break;
    }
    return "takes any text but an empty one";
}

namespace {

size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

const std::vector<KnownKey>& KnownKeys() {
    static const std::vector<KnownKey> keys = [] {
        std::vector<KnownKey> list;
        for (size_t i = 0; i < kOptionsKeyCount; ++i)
            list.push_back({&OptionsKeys()[i], kSectionOptions});
        list.push_back({&PlayerNameKey(), kSectionPlayer});
        return list;
    }();
    return keys;
}

const KnownKey* FindKnownKey(const std::string& name) {
    const std::string upper = ToUpperCopy(name);
    for (const KnownKey& known : KnownKeys())
        if (upper == known.key->key)
            return &known;
    return nullptr;
}

std::vector<std::string> NearestKeyNames(const std::string& name, size_t count) {
    const std::string upper = ToUpperCopy(name);
    std::vector<std::pair<size_t, std::string>> ranked;
    for (const KnownKey& known : KnownKeys())
        ranked.push_back({EditDistance(upper, known.key->key), known.key->key});
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (size_t i = 0; i < ranked.size() && i < count; ++i)
        names.push_back(ranked[i].second);
    return names;
}

SettingJudgement JudgeSetting(CIniFile& settings, const DefaultSetting& entry, int deviceCount) {
    const SettingsKey& key = *entry.key;
    SettingJudgement judgement{SettingJudgement::Fine, false, std::string(), entry.value,
                               std::string()};
    if (CIniFile* section = settings.FindSection(entry.section)) {
        auto found = section->Keys().find(key.key);
        judgement.present = found != section->Keys().end();
        if (judgement.present)
            judgement.value = found->second;
    }
    if (!judgement.present) {
        judgement.kind = SettingJudgement::Rebuild;
        judgement.reason = std::string("is missing") + kRebuildNote;
        return judgement;
    }
    if (const char* missing = ReadAsMissing(judgement.value)) {
        judgement.kind = SettingJudgement::Rebuild;
        judgement.reason = missing + std::string(kRebuildNote);
        return judgement;
    }
    // The dialog reads the presets only where a control shows them, and PLAYER never.
    const bool options = std::string(entry.section) == kSectionOptions;
    if (!(options || key.shows == KeySource::Choice) || &key == &PlayerNameKey())
        return judgement;
    DialogReading reading = ReadAsDialog(key, judgement.value, deviceCount);
    if (reading.kind == DialogReading::Unshowable) {
        judgement.kind = SettingJudgement::Unshowable;
        judgement.reason = "shows no selection in its list, which " + Takes(key, deviceCount);
    } else if (reading.kind == DialogReading::Changed) {
        judgement.kind = SettingJudgement::Changed;
        judgement.replacement = reading.written;
        judgement.reason = key.kind == ControlKind::None
                               ? "every Apply writes \"" + reading.written + '"'
                               : "the settings program shows and writes \"" + reading.written + '"';
    }
    return judgement;
}

bool AcceptNewValue(const SettingsKey& key, const std::string& text, int deviceCount,
                    std::string& stored, std::string& reason) {
    stored = text;
    if (const char* missing = ReadAsMissing(text)) {
        reason = missing + std::string(": the settings program would reset every value to its "
                                       "default at start");
        return false;
    }
    if (&key == &PlayerNameKey()) {
        reason = "takes a name without double quotes or line breaks";
        return text.find_first_of("\"\r\n") == std::string::npos;
    }
    DialogReading reading = ReadAsDialog(key, text, deviceCount);
    stored = reading.written;
    if (key.kind == ControlKind::None) {
        reason = std::string("is written by the settings program itself: it takes only ") +
                 key.defaultValue;
        return reading.kind == DialogReading::Kept;
    }
    if (reading.kind != DialogReading::Kept) {
        reason = (reading.kind == DialogReading::Changed
                      ? "would be shown and written as \"" + reading.written + "\": it "
                      : std::string()) +
                 Takes(key, deviceCount);
        return false;
    }
    if (key.disabled && stored != ReadAsDialog(key, key.lowValue, deviceCount).written &&
        stored != ReadAsDialog(key, key.highValue, deviceCount).written) {
        reason = std::string("cannot be changed in the settings program (its control is "
                             "disabled), which writes only what the presets hold: ") +
                 key.lowValue;
        return false;
    }
    return true;
}

int MatchingConfiguration(CIniFile& settings) {
    for (int choice : {1, 2}) {
        if (settings.FindSection(ChoiceSection(choice)) == nullptr)
            continue;
        bool same = true;
        for (size_t i = 0; i < kOptionsKeyCount && same; ++i) {
            const SettingsKey& key = OptionsKeys()[i];
            if (key.shows != KeySource::Choice)
                continue;
            same = settings.GetStringOr(kSectionOptions, key.key, "") ==
                   settings.GetStringOr(ChoiceSection(choice), key.key, "");
        }
        if (same)
            return choice;
    }
    return 0;
}
