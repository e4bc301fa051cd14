// show and get: commands that only read the settings file.
#include "Cli/Commands.h"
#include "Cli/JsonOutput.h"
#include "Cli/SettingsFile.h"
#include "Cli/SettingsRules.h"
#include "Ini/CIniFile.h"

namespace {

const char* const kConfigurationNames[] = {"user", "performance", "quality"};
const char* const kConfigurationWords[] = {"the player's own", "best performance", "best quality"};

// The value of a known key, or null when the file lacks it.
const std::string* FindValue(CIniFile& settings, const KnownKey& known) {
    CIniFile* section = settings.FindSection(known.section);
    if (section == nullptr)
        return nullptr;
    auto found = section->Keys().find(known.key->key);
    return found != section->Keys().end() ? &found->second : nullptr;
}

void ShowText(const Console& console, CIniFile& settings, int configuration) {
    const char* section = "";
    for (const KnownKey& known : KnownKeys()) {
        if (std::string(section) != known.section)
            console.out << '[' << (section = known.section) << "]\n";
        const std::string* value = FindValue(settings, known);
        console.out << known.key->key << (value ? "=" + console.Shown(*value) : " (missing)")
                    << '\n';
    }
    console.out << "configuration: " << kConfigurationWords[configuration] << '\n';
}

void ShowJson(const Console& console, CIniFile& settings, int configuration) {
    Json json = {{"file", kSettingsPath}, {"configuration", kConfigurationNames[configuration]}};
    for (const KnownKey& known : KnownKeys()) {
        const std::string* value = FindValue(settings, known);
        json[known.section][known.key->key] = value ? Json(Utf8(*value)) : Json(nullptr);
    }
    PrintJson(console.out, json);
}

} // namespace

// Names a key the tool does not know, with the nearest ones it does.
int ReportUnknownKey(const Console& console, const std::string& name) {
    console.err << "unknown key '" << console.Shown(name) << "'; nearest:";
    for (const std::string& candidate : NearestKeyNames(name, 3))
        console.err << ' ' << candidate;
    console.err << '\n';
    return kExitUsage;
}

int ShowCommand(const Console& console, bool json) {
    CIniFile settings;
    if (int code = OpenSettings(console, settings, false))
        return code;
    int configuration = MatchingConfiguration(settings);
    if (json)
        ShowJson(console, settings, configuration);
    else
        ShowText(console, settings, configuration);
    return kExitOk;
}

int GetCommand(const Console& console, const std::vector<std::string>& keys) {
    for (const std::string& name : keys)
        if (FindKnownKey(name) == nullptr)
            return ReportUnknownKey(console, name);
    CIniFile settings;
    if (int code = OpenSettings(console, settings, false))
        return code;
    int result = kExitOk;
    for (const std::string& name : keys) {
        const KnownKey& known = *FindKnownKey(name);
        const std::string* value = FindValue(settings, known);
        if (value == nullptr) {
            console.err << known.key->key << " is missing from " << kSettingsPath << '\n';
            result = kExitFindings;
        }
        console.out << (value ? console.Shown(*value) : "") << '\n';
    }
    return result;
}
