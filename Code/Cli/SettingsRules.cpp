#include "Cli/SettingsRules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Ini/CIniFile.h"
#include "Setup/PageFillMouse.h"

namespace {

bool IsMouseSpeed(const SettingsKey& key) {
    return key.kind == ControlKind::Slider && key.sliderScale != 1;
}

std::string FloatText(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    return buffer;
}

// A whole number written plainly: an optional minus sign and at most nine digits.
bool ParseWhole(const std::string& text, int& value) {
    size_t digits = text.size() - (text[0] == '-' ? 1 : 0);
    if (digits == 0 || digits > 9 ||
        text.find_first_not_of("0123456789", text.size() - digits) != std::string::npos)
        return false;
    value = std::atoi(text.c_str());
    return true;
}

// A decimal number written plainly: digits with at most one point, no sign, no exponent.
bool ParseDecimal(const std::string& text, float& value) {
    if (text.size() > 20 || text.find_first_not_of("0123456789.") != std::string::npos ||
        std::count(text.begin(), text.end(), '.') > 1 ||
        text.find_first_of("0123456789") == std::string::npos)
        return false;
    value = static_cast<float>(std::atof(text.c_str()));
    return true;
}

// The stored values of a list, in the order the dialog lists them.
std::string ListedValues(const SettingsKey& key) {
    std::string out;
    for (int i = 0; i < key.choiceCount; ++i)
        out += std::string(i == 0 ? "" : ", ") + key.choices[i].stored;
    return out;
}

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
        if (IsMouseSpeed(key))
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

// A whole number within [low, high], stored as "%d".
bool WholeIn(const std::string& text, int low, int high, std::string& stored) {
    int whole = 0;
    if (!ParseWhole(text, whole) || whole < low || whole > high)
        return false;
    stored = std::to_string(whole);
    return true;
}

// The form the control stores for `text`, or false when the control cannot show it.
bool ControlStores(const SettingsKey& key, const std::string& text, int deviceCount,
                   std::string& stored) {
    stored = text;
    switch (key.kind) {
    case ControlKind::DeviceList:
        // The default, 0, stands even where no device was found (the list is then empty).
        return WholeIn(text, -1, std::max(deviceCount - 1, 0), stored);
    case ControlKind::CheckBox:
        return text == "0" || text == "1";
    case ControlKind::List:
        return ChoicePosition(key, text) < key.choiceCount;
    case ControlKind::Slider: {
        if (!IsMouseSpeed(key))
            return WholeIn(text, key.rangeMin, key.rangeMax, stored);
        // The speed the slider shows, written back as Apply writes it, must be this one.
        float speed = 0.0f;
        if (!ParseDecimal(text, speed))
            return false;
        int position = MouseSpeedPosition(speed);
        stored = FloatText(MouseSpeedValue(position));
        return position >= key.rangeMin && position <= key.rangeMax && stored == FloatText(speed);
    }
    case ControlKind::None:
        break;
    }
    return true;
}

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

ValueVerdict JudgeValue(const SettingsKey& key, const std::string& text, int deviceCount) {
    ValueVerdict verdict{ValueVerdict::Usable, text, std::string()};
    if (text.empty())
        verdict.kind = ValueVerdict::Empty;
    else if (!ControlStores(key, text, deviceCount, verdict.stored))
        verdict.kind = ValueVerdict::Unshowable;
    if (verdict.kind != ValueVerdict::Usable)
        verdict.reason = Takes(key, deviceCount);
    return verdict;
}

bool AcceptNewValue(const SettingsKey& key, const std::string& text, int deviceCount,
                    std::string& stored, std::string& reason) {
    if (key.kind == ControlKind::None && &key != &PlayerNameKey()) {
        stored = text;
        reason = std::string("is written by the settings program itself: it takes only ") +
                 key.defaultValue;
        return text == key.defaultValue;
    }
    if (&key == &PlayerNameKey() && text.find_first_of("\"\r\n") != std::string::npos) {
        reason = "takes a name without double quotes or line breaks";
        return false;
    }
    ValueVerdict verdict = JudgeValue(key, text, deviceCount);
    stored = verdict.stored;
    reason = verdict.reason;
    return verdict.kind == ValueVerdict::Usable;
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
