#include "Setup/ApplySettings.h"

#include "Platform/Win32.h"
#include "Setup/CSetupApp.h"
#include "Setup/SettingsApply.h"
#include "Setup/SettingsKeys.h"
#include "Setup/SetupDialog.h"
#include "Setup/TabPages.h"

namespace {

// The state of a key's control as StoreControlState takes it.
int ReadControl(HWND page, const SettingsKey& key) {
    UINT message = CB_GETCURSEL; // CB_ERR is -1: a list without a selection
    if (key.kind == ControlKind::CheckBox)
        message = BM_GETCHECK;
    else if (key.kind == ControlKind::Slider)
        message = TBM_GETPOS;
    return static_cast<int>(SendDlgItemMessageA(page, key.control, message, 0, 0));
}

void VisitEveryPage(CSetupApp& app) {
    static const int kWalk[] = {0, 1, 2, 0};
    for (int tab : kWalk) {
        SendMessageA(app.tabPages->tab, TCM_SETCURSEL, tab, 0);
        SwitchPage();
    }
}

} // namespace

bool ApplySettings() {
    CSetupApp& app = CSetupApp::Instance();
    HWND pages[3] = {nullptr, nullptr, nullptr};
    if (app.tabPages != nullptr && app.tabPages->pages != nullptr) {
        VisitEveryPage(app);
        for (int i = 0; i < 3; ++i)
            pages[i] = app.tabPages->pages[i];
    }
    const bool exists[3] = {pages[0] != nullptr, pages[1] != nullptr, pages[2] != nullptr};
    WriteAppliedKeys(app.settings, exists,
                     [&](const SettingsKey& key) { return ReadControl(pages[key.page], key); });
    app.SaveSettings();
    return true;
}
