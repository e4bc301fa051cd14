// set, preset and repair: the commands that write the settings file.
#include <map>

#include "Cli/Commands.h"
#include "Cli/SettingsFile.h"
#include "Cli/SettingsRules.h"
#include "Ini/CIniFile.h"
#include "Setup/SettingsApply.h"

namespace {

struct Assignment {
    std::string text; // as given
    const KnownKey* known;
    std::string value;
};

// Splits KEY=VALUE arguments; kExitUsage after the message for a malformed one, an unknown
// key or a key given twice.
int ParseAssignments(const Console& console, const std::vector<std::string>& arguments,
                     std::vector<Assignment>& assignments) {
    std::map<const KnownKey*, bool> seen;
    for (const std::string& text : arguments) {
        size_t equals = text.find('=');
        if (equals == std::string::npos || equals == 0) {
            console.err << "expected KEY=VALUE, got '" << console.Shown(text) << "'\n";
            return kExitUsage;
        }
        const KnownKey* known = FindKnownKey(text.substr(0, equals));
        if (known == nullptr)
            return ReportUnknownKey(console, text.substr(0, equals));
        if (seen[known]) {
            console.err << known->key->key << " is given twice\n";
            return kExitUsage;
        }
        seen[known] = true;
        assignments.push_back({text, known, text.substr(equals + 1)});
    }
    return kExitOk;
}

bool NamesSoundDevice(const std::vector<Assignment>& assignments) {
    for (const Assignment& assignment : assignments)
        if (assignment.known->key->kind == ControlKind::DeviceList)
            return true;
    return false;
}

// Reads the settings file to change it. A missing or empty one first takes what the settings
// program writes at its first start, the defaults; `started` then tells so, else it is empty.
int OpenForChange(const Console& console, CIniFile& settings, std::string& started) {
    CIniFile probe;
    const FileState state = LoadExisting(kSettingsPath, probe);
    if (state != FileState::Missing && state != FileState::Empty)
        return OpenSettings(console, settings, true);
    StoreDefaultSettings(settings);
    started = std::string(kSettingsPath) +
              (state == FileState::Missing ? " was missing" : " was empty") +
              ": wrote the defaults the settings program writes at its first start, then:\n";
    return kExitOk;
}

// Saves when anything changed, or the defaults were started, then tells what changed after
// `before`.
int SaveAndReport(const Console& console, CIniFile& settings, const SettingsSnapshot& before,
                  const std::string& started) {
    const SettingsSnapshot after = TakeSnapshot(settings);
    if (after == before && started.empty()) {
        console.out << "nothing to change\n";
        return kExitOk;
    }
    if (int code = SaveSettings(console, settings))
        return code;
    console.out << started;
    PrintChanges(console, before, after);
    return kExitOk;
}

} // namespace

int SetCommand(const Console& console, const std::vector<std::string>& arguments) {
    std::vector<Assignment> assignments;
    if (int code = ParseAssignments(console, arguments, assignments))
        return code;
    const int devices = NamesSoundDevice(assignments) ? CountSoundDevices() : 0;
    bool refused = false;
    for (Assignment& assignment : assignments) {
        std::string reason;
        if (!AcceptNewValue(*assignment.known->key, assignment.value, devices, assignment.value,
                            reason)) {
            console.err << console.Shown(assignment.text) << ": " << assignment.known->key->key
                        << ' ' << reason << '\n';
            refused = true;
        }
    }
    if (refused) {
        console.err << "nothing was changed\n";
        return kExitInvalidValue;
    }
    CIniFile settings;
    std::string started;
    if (int code = OpenForChange(console, settings, started))
        return code;
    const SettingsSnapshot before = TakeSnapshot(settings);
    for (const Assignment& assignment : assignments)
        settings.SetString(assignment.known->section, assignment.known->key->key, assignment.value,
                           true);
    return SaveAndReport(console, settings, before, started);
}

int PresetCommand(const Console& console, const std::string& which) {
    const int choice = which == "performance" ? 1 : which == "quality" ? 2 : 0;
    if (choice == 0) {
        console.err << "preset takes performance or quality, not '" << which << "'\n";
        return kExitUsage;
    }
    CIniFile settings;
    std::string started;
    if (int code = OpenForChange(console, settings, started))
        return code;
    const SettingsSnapshot before = TakeSnapshot(settings);
    ApplyConfigurationChoice(settings, choice, CountSoundDevices());
    return SaveAndReport(console, settings, before, started);
}

int RepairCommand(const Console& console) {
    CIniFile settings;
    std::string report;
    switch (LoadSettingsFile(settings)) {
    case FileState::Unreadable:
        console.err << kSettingsPath << " cannot be read; it is unchanged\n";
        return kExitFileError;
    case FileState::Missing:
    case FileState::Empty:
        report = std::string(kSettingsPath) + " was missing or empty: wrote the defaults\n";
        break;
    case FileState::Loaded:
        break;
    }
    const int devices = CountSoundDevices();
    const DefaultSetting* defaults = DefaultSettings();
    for (size_t i = 0; i < kDefaultSettingCount; ++i) {
        const DefaultSetting& entry = defaults[i];
        const SettingJudgement judgement = JudgeSetting(settings, entry, devices);
        if (judgement.kind == SettingJudgement::Fine)
            continue;
        CIniFile* section = settings.FindSection(entry.section);
        if (section == nullptr)
            section = settings.AddSection(entry.section);
        if (judgement.kind == SettingJudgement::Changed)
            section->SetString(entry.key->key, judgement.replacement, true);
        else
            StoreSetting(*section, *entry.key, entry.value);
        report +=
            std::string(entry.section) + ' ' + entry.key->key + ": " +
            (judgement.present ? '"' + judgement.value + '"' : "missing") + " -> \"" +
            judgement.replacement + '"' +
            (judgement.kind == SettingJudgement::Rebuild ? "" : " (" + judgement.reason + ")") +
            '\n';
    }
    if (report.empty()) {
        console.out << "nothing to repair\n";
        return kExitOk;
    }
    if (int code = SaveSettings(console, settings))
        return code;
    console.out << console.Shown(report);
    return kExitOk;
}
