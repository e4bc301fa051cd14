// Start-up of the settings program: the localization, a writable settings file, the
// application object, the dialog, then the message loop until the dialog is closed.
#include <string>

#include "App/MessageLoop.h"
#include "App/Report.h"
#include "App/StartFolder.h"
#include "Ini/CIniFile.h"
#include "Ini/LanguageSelection.h"
#include "Ini/Localization.h"
#include "Platform/Win32.h"
#include "Setup/CSetupApp.h"
#include "Setup/DialogKeys.h"
#include "Setup/SetupDialog.h"
#include "Setup/SetupDialogIds.h"

// Start-up marks: the benchmark reads them through Wine's debug output. Without a debugger
// listening they cost a few microseconds each and show nothing.
namespace {

__attribute__((constructor(101))) void MarkStaticInit() {
    OutputDebugStringA("static init");
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    OutputDebugStringA("WinMain");
    InitCommonControls();
    // Every path of the program is relative to the game folder.
    MoveToProgramFolder();

    // Registered below without being owned: it must live until the loop has ended.
    CIniFile localization;
    if (!localization.Load("DATA\\INI\\LocalizedStrings.ini")) {
        ReportWarning("%s", "Cannot find localization pack!");
        return -1;
    }
    OutputDebugStringA("localization loaded");

    SelectLanguage();
    const std::string language = GetLanguageName(ClampLanguageIndex(SelectedLanguage));
    CreateLocalization();
    RegisterLocalizationSource("GAME", &localization, false);
    SetLanguage(language);
    OutputDebugStringA("language pack built");

    // A read-only settings file would make every later save fail.
    _chmod("Player\\Config.ini", _S_IREAD | _S_IWRITE);

    CSetupApp::Instance();
    OutputDebugStringA("settings loaded");

    if (!CreateMainDialog(instance, dlg::kMainDialog, SetupDialogProc, SW_SHOWDEFAULT, nullptr)) {
        ReportWarning("%s", "Cannot create dialog window!");
        return -1;
    }

    PrepareDialogKeyboard();
    OutputDebugStringA("dialog ready");
    RunMessageLoop();
    return 1;
}
