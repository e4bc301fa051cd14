#include "Setup/PageFill.h"

#include <vector>

#include "Ini/CIniFile.h"
#include "Setup/CSetupApp.h"
#include "Setup/SettingsApply.h"
#include "Setup/SettingsKeys.h"
#include "Setup/SetupDialog.h"
#include "Setup/TabPages.h"
#include "Setup/WideControls.h"
#include "Sound/CSoundEngine.h"

namespace {

// What differs between the pages; their controls come from the key table.
struct PageSpec {
    void (*localize)(HWND page);
    // The audio page is filled even when the settings file could not be reloaded.
    bool fillsWithoutSettings;
};

const PageSpec kPages[] = {
    {LocalizeDisplayPage, false},
    {LocalizeGamePage, false},
    {LocalizeAudioPage, true},
};
constexpr int kPageCount = static_cast<int>(sizeof kPages / sizeof kPages[0]);

HWND PageWindow(CSetupApp& app, int page) {
    if (app.tabPages == nullptr || app.tabPages->pages == nullptr)
        return nullptr;
    return app.tabPages->pages[page];
}

LRESULT Send(HWND page, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(page, id, message, wParam, lParam);
}

void DetectSoundDevices(CSetupApp& app, HWND page, int listId) {
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&app.dialog, &devices);
    for (const SoundDeviceInfo& device : devices)
        Send(page, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(device.name.c_str()));
    Send(page, listId, CB_SETCURSEL, 0, 0);
}

// The first visit: labels, then the value lists with their first entry selected, then the
// slider ranges, then the sound devices.
void SetUpPage(CSetupApp& app, int index, HWND page) {
    kPages[index].localize(page);
    for (ControlKind kind : {ControlKind::List, ControlKind::Slider, ControlKind::DeviceList}) {
        for (size_t i = 0; i < kOptionsKeyCount; ++i) {
            const SettingsKey& key = OptionsKeys()[i];
            if (key.page != index || key.kind != kind)
                continue;
            if (kind == ControlKind::List) {
                FillChoiceCombo(page, key.control);
                Send(page, key.control, CB_SETCURSEL, 0, 0);
            } else if (kind == ControlKind::Slider) {
                Send(page, key.control, TBM_SETRANGE, TRUE, MAKELPARAM(key.rangeMin, key.rangeMax));
            } else {
                DetectSoundDevices(app, page, key.control);
            }
        }
    }
}

void ShowState(CSetupApp& app, HWND page, const SettingsKey& key) {
    int state = key.kind == ControlKind::List
                    ? FindChoiceIndex(key.control, key.key,
                                      key.shows == KeySource::Choice ? app.configSource : 0)
                    : ShownControlState(app.settings, key, app.configSource);
    switch (key.kind) {
    case ControlKind::CheckBox:
        Send(page, key.control, BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlKind::Slider:
        // A position beyond the range shows the slider's end.
        Send(page, key.control, TBM_SETPOS, TRUE, state);
        break;
    case ControlKind::List:
    case ControlKind::DeviceList:
        // A position past the entries leaves the list without a selection.
        Send(page, key.control, CB_SETCURSEL, state, 0);
        break;
    case ControlKind::None:
        break;
    }
}

void RefillPage(CSetupApp& app, int index, HWND page) {
    for (size_t i = 0; i < kOptionsKeyCount; ++i) {
        const SettingsKey& key = OptionsKeys()[i];
        if (key.page == index && key.kind != ControlKind::None)
            ShowState(app, page, key);
    }
}

} // namespace

int FindChoiceIndex(int listId, const std::string& key, int source) {
    CSetupApp& app = CSetupApp::Instance();
    const std::string& value = app.settings.GetString(ChoiceSection(source), key);
    int position = 0;
    for (const Choice& choice : app.Choices()) {
        if (choice.listId != listId)
            continue;
        if (choice.stored == value)
            return position;
        ++position;
    }
    return position;
}

void FillChoiceCombo(HWND page, int listId) {
    Send(page, listId, CB_RESETCONTENT, 0, 0);
    for (const Choice& choice : CSetupApp::Instance().Choices()) {
        if (choice.listId == listId)
            AddListEntry(page, listId, choice.display);
    }
}

void FillDisplayPage() {
    FillPage(0);
}

void FillGamePage() {
    FillPage(1);
}

void FillAudioPage() {
    FillPage(2);
}

void FillPage(int index) {
    if (index < 0 || index >= kPageCount)
        return;
    CSetupApp& app = CSetupApp::Instance();
    app.currentPage = index;
    HWND page = PageWindow(app, index);
    if (page == nullptr)
        return;
    if (app.pageNeedsInit[index]) {
        SetUpPage(app, index, page);
        app.pageNeedsInit[index] = false;
    }
    if (app.pageNeedsFill[index]) {
        if (app.settingsLoaded || kPages[index].fillsWithoutSettings)
            RefillPage(app, index, page);
        app.pageNeedsFill[index] = false;
    }
}

void SelectConfiguration(int choice) {
    CSetupApp& app = CSetupApp::Instance();
    app.configSource = choice;
    for (bool& flag : app.pageNeedsFill)
        flag = true;
    FillPage(app.currentPage);
}
