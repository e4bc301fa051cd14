// Start-up of the settings program: the localization, a writable settings file, the
// application object, the dialog, then the message loop until the dialog is closed.
#include <string>

#include "App/MessageLoop.h"
#include "App/Report.h"
#include "Ini/CIniFile.h"
#include "Ini/LanguageSelection.h"
#include "Ini/Localization.h"
#include "Platform/Win32.h"
#include "Setup/CSetupApp.h"
#include "Setup/SetupDialog.h"
#include "Setup/SetupDialogIds.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();

    // Registered below without being owned: it must live until the loop has ended.
    CIniFile localization;
    if (!localization.Load("DATA\\INI\\LocalizedStrings.ini")) {
        ReportWarning("%s", "Cannot find localization pack!");
        return -1;
    }

    SelectLanguage();
    const std::string language = GetLanguageName(ClampLanguageIndex(SelectedLanguage));
    CreateLocalization();
    RegisterLocalizationSource("GAME", &localization, false);
    SetLanguage(language);

    // A read-only settings file would make every later save fail.
    _chmod("Player\\Config.ini", _S_IREAD | _S_IWRITE);

    CSetupApp::Instance();

    if (!CreateMainDialog(instance, dlg::kMainDialog, SetupDialogProc, SW_SHOWDEFAULT, nullptr)) {
        ReportWarning("%s", "Cannot create dialog window!");
        return -1;
    }

    RunMessageLoop();
    return 1;
}
