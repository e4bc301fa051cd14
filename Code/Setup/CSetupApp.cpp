#include "Setup/CSetupApp.h"

#include "App/Report.h"
#include "Setup/SettingsApply.h"
#include "Setup/SettingsKeys.h"

namespace {

const char* const kSaveFailedMessage =
    "Sauvegarde du fichier 'Config.ini' impossible\nLe fichier est peut-etre en lecture seule";
// After a write over the old file failed once begun: whether its old content is back.
const char* const kSaveFailedRestoredMessage =
    "Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier a \xE9t\xE9 r\xE9tabli";
const char* const kSaveFailedDamagedMessage =
    "Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier n'a pas pu \xEAtre "
    "r\xE9tabli : il est peut-\xEAtre incomplet";

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

    const bool loaded = settings.Load(settingsPath);
    const bool rebuild = !loaded || NeedsDefaultSettings(settings);
    if (rebuild)
        WriteDefaultSettings();

    if (!settings.Load(settingsPath)) {
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

void CSetupApp::SaveSettings() {
    if (settings.Save(settingsPath))
        return;
    switch (settings.LastSave().old) {
    case IniSaveOutcome::Restored:
        ReportError("%s", kSaveFailedRestoredMessage);
    case IniSaveOutcome::Damaged:
        ReportError("%s", kSaveFailedDamagedMessage);
    case IniSaveOutcome::Untouched:
        break;
    }
    ReportError("%s", kSaveFailedMessage);
}
