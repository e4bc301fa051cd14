// check: what the settings program would make of the settings file, without writing it.
#include <set>

#include "Cli/AccountControl.h"
#include "Cli/Commands.h"
#include "Cli/JsonOutput.h"
#include "Cli/SettingsFile.h"
#include "Cli/SettingsRules.h"
#include "Harvel/CFileHarvel_WIN.h"
#include "Ini/CIniFile.h"
#include "Setup/SettingsStore.h"
#include "Setup/VirtualStore.h"

namespace {

struct Finding {
    const char* kind; // "rebuild", "unshowable", "changed", "unread" or "read-only"
    std::string section;
    std::string key;
    std::string message;
};

bool IsSettingsSection(const std::string& name) {
    for (const char* section :
         {kSectionOptions, kSectionOptionsLow, kSectionOptionsHigh, kSectionPlayer})
        if (name == section)
            return true;
    return false;
}

void CheckDefaultSet(CIniFile& settings, std::vector<Finding>& findings) {
    const int devices = CountSoundDevices();
    const DefaultSetting* defaults = DefaultSettings();
    for (size_t i = 0; i < kDefaultSettingCount; ++i) {
        const DefaultSetting& entry = defaults[i];
        if (settings.FindSection(entry.section) == nullptr)
            continue; // reported once for the whole section
        const SettingJudgement judgement = JudgeSetting(settings, entry, devices);
        const std::string quoted = '"' + judgement.value + "\" ";
        switch (judgement.kind) {
        case SettingJudgement::Fine:
            break;
        case SettingJudgement::Rebuild:
            findings.push_back({"rebuild", entry.section, entry.key->key, judgement.reason});
            break;
        case SettingJudgement::Unshowable:
            findings.push_back(
                {"unshowable", entry.section, entry.key->key, quoted + judgement.reason});
            break;
        case SettingJudgement::Changed:
            findings.push_back({"changed", entry.section, entry.key->key,
                                '"' + judgement.value + "\": " + judgement.reason});
            break;
        }
    }
}

void CheckUnread(CIniFile& settings, std::vector<Finding>& findings) {
    std::set<std::pair<std::string, std::string>> read;
    for (size_t i = 0; i < kDefaultSettingCount; ++i)
        read.insert({DefaultSettings()[i].section, DefaultSettings()[i].key->key});
    for (const auto& key : settings.Keys())
        findings.push_back({"unread", "", key.first, "stands before any section; nobody reads it"});
    for (const auto& entry : settings.Sections()) {
        CIniFile& section = *entry.second;
        const std::string& name = section.GetSectionName();
        if (!IsSettingsSection(name)) {
            findings.push_back({"unread", name, "", "nobody reads this section"});
            continue;
        }
        for (const auto& key : section.Keys())
            if (!read.count({name, key.first}))
                findings.push_back({"unread", name, key.first, "nobody reads this key"});
        for (const auto& inner : section.Sections())
            findings.push_back({"unread", name + "/" + inner.second->GetSectionName(), "",
                                "nobody reads this section"});
    }
}

void CheckLoaded(CIniFile& settings, std::vector<Finding>& findings) {
    DWORD readOnly = 0;
    if (FileGetAttribute(kSettingsPath, FILE_ATTR_READONLY, &readOnly) && readOnly)
        findings.push_back({"read-only", "", "",
                            "the settings program makes the file writable at start; this tool "
                            "does not write it"});
    for (const char* name :
         {kSectionOptions, kSectionOptionsLow, kSectionOptionsHigh, kSectionPlayer})
        if (settings.FindSection(name) == nullptr)
            findings.push_back({"rebuild", name, "", std::string("is missing") + kRebuildNote});
    CheckDefaultSet(settings, findings);
    CheckUnread(settings, findings);
}

void PrintText(const Console& console, const std::vector<Finding>& findings) {
    for (const Finding& finding : findings) {
        std::string line = finding.kind + std::string(": ") + kSettingsPath;
        if (!finding.section.empty())
            line += ' ' + finding.section;
        if (!finding.key.empty())
            line += ' ' + finding.key;
        console.out << console.Shown(line + ": " + finding.message) << '\n';
    }
    console.out << kSettingsPath << ": "
                << (findings.empty() ? "nothing found"
                                     : std::to_string(findings.size()) + " finding(s)")
                << '\n';
}

void PrintJsonFindings(const Console& console, const std::vector<Finding>& findings) {
    Json list = Json::array();
    for (const Finding& finding : findings)
        list.push_back({{"kind", finding.kind},
                        {"section", Utf8(finding.section)},
                        {"key", Utf8(finding.key)},
                        {"message", Utf8(finding.message)}});
    PrintJson(console.out,
              {{"file", kSettingsPath}, {"clean", findings.empty()}, {"findings", list}});
}

} // namespace

int CheckCommand(const Console& console, bool json) {
    CIniFile settings;
    std::vector<Finding> findings;
    switch (LoadExisting(kSettingsPath, settings)) {
    case FileState::Unreadable:
        console.err << kSettingsPath << " cannot be read\n";
        return kExitFileError;
    case FileState::Missing:
        findings.push_back({"rebuild", "", "",
                            "is missing; the settings program writes the "
                            "defaults at start"});
        break;
    case FileState::Empty:
        findings.push_back({"rebuild", "", "",
                            "is empty; the settings program writes the "
                            "defaults at start"});
        break;
    case FileState::Loaded:
        CheckLoaded(settings, findings);
        break;
    }
    const std::wstring copy = FindVirtualStoreCopy(kSettingsPath);
    if (!copy.empty())
        findings.push_back(
            {"shadowed", "", "", ShadowingCopyNote(NarrowPath(copy, kFileCodePage))});
    if (json)
        PrintJsonFindings(console, findings);
    else
        PrintText(console, findings);
    return findings.empty() ? kExitOk : kExitFindings;
}
