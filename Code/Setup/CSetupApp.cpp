#include "Setup/CSetupApp.h"

#include "App/LogFile.h"
#include "App/Report.h"
#include "Setup/SettingsApply.h"
#include "Setup/SettingsKeys.h"
#include "Setup/SettingsStore.h"
#include "Setup/VirtualStore.h"

namespace {

const char* const kSaveFailedMessage =
    "Sauvegarde du fichier 'Config.ini' impossible\nLe fichier est peut-etre en lecture seule";
// After a write over the old file failed once begun: whether its old content is back.
const char* const kSaveFailedRestoredMessage =
    "Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier a \xE9t\xE9 r\xE9tabli";
const char* const kSaveFailedDamagedMessage =
    "Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier n'a pas pu \xEAtre "
    "r\xE9tabli : il est peut-\xEAtre incomplet";
// After a failed replace that left the old file under another name (%s) and no file under its own.
const char* const kSaveFailedAsideMessage =
    "Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier est conserv\xE9 sous le nom "
    "%s";
const int kInfo = 18;

// Into the log, and to a debugger as the start-up marks go: nothing opens the log here.
void Note(const std::string& text, int line) {
    TheLog.SetSource(line, "Code\\Setup\\CSetupApp.cpp").Write(text, kInfo);
    OutputDebugStringA(text.c_str());
}

} // namespace

CSetupApp& CSetupApp::Instance() {
    // Made on first use and never destroyed: the process ends with it.
    static CSetupApp* const instance = new CSetupApp();
    return *instance;
}

CSetupApp::CSetupApp() {
    choices = new std::vector<Choice>();
    settingsPath = kSettingsPath;
    settingsLoaded = true;

    const std::wstring copy = FindVirtualStoreCopy(settingsPath);
    if (!copy.empty())
        Note("reading the copy the game reads for this user, " + NarrowPath(copy, CP_ACP),
             __LINE__);
    const bool loaded = LoadSettings();
    const bool rebuild = !loaded || NeedsDefaultSettings(settings);
    if (rebuild)
        WriteDefaultSettings();

    if (!LoadSettings()) {
        // The error text holds a path, which is no format.
        ReportWarning("%s", settings.GetLastErrorText().c_str());
        settingsLoaded = false;
    }
    BuildChoiceLists();
}

// The dialog's page record lives as long as the process: it is not released here.
CSetupApp::~CSetupApp() {
    delete choices;
}

bool CSetupApp::IsSettingsIncomplete() {
    return IsDefaultSetIncomplete(settings);
}

void CSetupApp::WriteDefaultSettings() {
    StoreDefaultSettings(settings);
    SaveSettings();
}

bool CSetupApp::LoadSettings() {
    return ReadAsTheGame(settingsPath,
                         [this](const std::string& path) { return settings.Load(path); });
}

void CSetupApp::SaveSettings() {
    const SettingsSaveOutcome saved = SaveAsTheGameReads(settings, settingsPath);
    const std::string note = DescribeSave(saved, settingsPath, CP_ACP);
    if (!note.empty())
        Note(note, __LINE__);
    // Once the copy the game reads is written, the player's choice has reached the game.
    if (saved.kind != SettingsSaveOutcome::Failed)
        return;
    switch (settings.LastSave().old) {
    case IniSaveOutcome::Restored:
        ReportError("%s", kSaveFailedRestoredMessage);
    case IniSaveOutcome::Damaged:
        ReportError("%s", kSaveFailedDamagedMessage);
    case IniSaveOutcome::Aside:
        ReportError(kSaveFailedAsideMessage, settings.LastSave().aside.c_str());
    case IniSaveOutcome::Untouched:
        break;
    }
    ReportError("%s", kSaveFailedMessage);
}
