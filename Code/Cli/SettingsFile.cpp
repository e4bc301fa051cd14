#include "Cli/SettingsFile.h"

#include "Cli/AccountControl.h"
#include "Harvel/CFileHarvel_WIN.h"
#include "Ini/CIniFile.h"
#include "Platform/Win32.h"
#include "Setup/SettingsApply.h"
#include "Setup/SettingsStore.h"
#include "Setup/VirtualStore.h"
#include "Sound/CSoundEngine.h"

FileState LoadExisting(const std::string& path, CIniFile& document) {
    // Load makes an empty file where none is; a command that reads must not.
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return FileState::Missing;
    }
    DWORD directory = 0;
    if (FileGetAttribute(path, FILE_ATTR_DIRECTORY, &directory) && directory)
        return FileState::Unreadable;
    if (document.Load(path))
        return FileState::Loaded;
    // Load leaves its error text empty only for a file that was opened and found empty.
    return document.GetLastErrorText().empty() ? FileState::Empty : FileState::Unreadable;
}

FileState LoadSettingsFile(CIniFile& settings) {
    FileState state = FileState::Unreadable;
    ReadAsTheGame(kSettingsPath, [&](const std::string& path) {
        state = LoadExisting(path, settings);
        return true;
    });
    return state;
}

int OpenSettings(const Console& console, CIniFile& settings, bool forWriting) {
    switch (LoadSettingsFile(settings)) {
    case FileState::Missing:
        console.err << kSettingsPath << " is missing (the settings program writes the defaults "
                    << "at start; 'repair' does the same)\n";
        return kExitFileError;
    case FileState::Empty:
        console.err << kSettingsPath << " is empty (the settings program rebuilds it at start; "
                    << "'repair' does the same)\n";
        return kExitFileError;
    case FileState::Unreadable:
        console.err << kSettingsPath << " cannot be read\n";
        return kExitFileError;
    case FileState::Loaded:
        break;
    }
    if (forWriting && NeedsDefaultSettings(settings)) {
        console.err << kSettingsPath << " is incomplete: the settings program would replace "
                    << "every value with its default at start. Run 'repair' first (see 'check')\n";
        return kExitFileError;
    }
    return kExitOk;
}

int SaveSettings(const Console& console, CIniFile& settings) {
    const SettingsSaveOutcome saved = SaveAsTheGameReads(settings, kSettingsPath);
    const bool realFailed = saved.kind == SettingsSaveOutcome::RealFailed;
    const std::string note = DescribeSave(saved, kSettingsPath, kFileCodePage);
    if (!note.empty())
        (realFailed ? console.err : console.out) << console.Shown(note) << '\n';
    if (saved.kind != SettingsSaveOutcome::Failed && !realFailed)
        return kExitOk;
    // The file whose save failed: the copy the game reads, or the file itself.
    const IniSaveOutcome& outcome = settings.LastSave();
    console.err << (saved.copy.empty() || realFailed
                        ? std::string(kSettingsPath)
                        : console.Shown(NarrowPath(saved.copy, kFileCodePage)))
                << (outcome.old == IniSaveOutcome::Restored
                        ? " could not be written; its old content was written back\n"
                    : outcome.old == IniSaveOutcome::Damaged
                        ? " could not be written, nor its old content written back: it may be "
                          "incomplete\n"
                    : outcome.old == IniSaveOutcome::Aside
                        ? " could not be written and is missing; its old content is kept as " +
                              console.Shown(outcome.aside) + "\n"
                        : " could not be written; it is unchanged\n");
    DWORD readOnly = 0;
    if (outcome.error == ERROR_ACCESS_DENIED &&
        !(FileGetAttribute(kSettingsPath, FILE_ATTR_READONLY, &readOnly) && readOnly))
        console.err << kAdministratorAdvice << '\n';
    // The game reads the copy, which holds the new values.
    return realFailed ? kExitOk : kExitFileError;
}

SettingsSnapshot TakeSnapshot(CIniFile& settings) {
    SettingsSnapshot snapshot;
    for (const auto& key : settings.Keys())
        snapshot[{"", key.first}] = key.second;
    for (const auto& section : settings.Sections())
        for (const auto& key : section.second->Keys())
            snapshot[{section.second->GetSectionName(), key.first}] = key.second;
    return snapshot;
}

int PrintChanges(const Console& console, const SettingsSnapshot& before,
                 const SettingsSnapshot& after) {
    int count = 0;
    for (const auto& entry : after) {
        auto old = before.find(entry.first);
        if (old != before.end() && old->second == entry.second)
            continue;
        console.out << console.Shown(entry.first.first + ' ' + entry.first.second + ": " +
                                     (old == before.end() ? "missing" : '"' + old->second + '"') +
                                     " -> \"" + entry.second + "\"\n");
        ++count;
    }
    return count;
}

int CountSoundDevices() {
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(nullptr, &devices);
    return static_cast<int>(devices.size());
}
