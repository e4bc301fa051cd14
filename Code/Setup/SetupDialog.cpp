#include "Setup/SetupDialog.h"

#include <string>

#include "Ini/Localization.h"
#include "Setup/ApplySettings.h"
#include "Setup/CSetupApp.h"
#include "Setup/DialogFit.h"
#include "Setup/DialogTexts.h"
#include "Setup/PageFill.h"
#include "Setup/SetupDialogIds.h"
#include "Setup/TabPages.h"
#include "Setup/WideControls.h"

namespace {

int currentTab = -1;
int lastConfigChoice = 0;

std::string Text(const char* id) {
    return Localize("GAME", id);
}

// The tab control and the pages are placed in pixels of the dialog's client area at 96 DPI:
// the page templates were laid out for these numbers. They grow with the screen's DPI as the
// dialog's own controls do.
const int kTabX = 10, kTabY = 120, kTabWidth = 650, kTabHeight = 270;
const int kPageX = 15, kPageY = 150;

bool InsertTabs(HWND tab) {
    for (int i = 0; i < dlg::kPageCount; ++i)
        InsertTabTitle(tab, i, Text(kTabTitleIds[i]));
    return true;
}

void CreatePages(CSetupApp& app, TabPages& record) {
    for (int i = 0; i < dlg::kPageCount; ++i) {
        if (record.pages[i] != nullptr || record.templates[i] == nullptr)
            continue;
        HWND page = CreateDialogIndirectParamA(app.hInstance, record.templates[i], app.dialog,
                                               PageDialogProc, 0);
        record.pages[i] = page;
        if (page == nullptr)
            continue;
        SetWindowPos(page, HWND_TOP, ScaledPixels(kPageX), ScaledPixels(kPageY), 0, 0, SWP_NOSIZE);
        ShowWindow(page, SW_HIDE);
    }
}

void FillConfigChoice(HWND dialog) {
    SendDlgItemMessageA(dialog, dlg::kConfigChoice, CB_RESETCONTENT, 0, 0);
    for (const char* id : kConfigChoiceIds)
        AddListEntry(dialog, dlg::kConfigChoice, Text(id));
    SendDlgItemMessageA(dialog, dlg::kConfigChoice, CB_SETCURSEL, 0, 0);
}

void SetLabel(HWND window, int id, const char* key) {
    SetControlText(window, id, Text(key));
}

void CloseDialog(CSetupApp& app) {
    DestroyWindow(app.dialog);
    app.SetDone();
    // Wakes the message loop, which may be waiting for a message that will never come now
    // that the window is gone.
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

void OnConfigChoice(CSetupApp& app) {
    LRESULT choice = SendDlgItemMessageA(app.dialog, dlg::kConfigChoice, CB_GETCURSEL, 0, 0);
    if (choice == lastConfigChoice || choice < 0 || choice > 2)
        return;
    lastConfigChoice = static_cast<int>(choice);
    SelectConfiguration(lastConfigChoice);
}

} // namespace

bool CreateMainDialog(HINSTANCE instance, int templateId, DLGPROC proc, int showCommand,
                      HWND owner) {
    CSetupApp& app = CSetupApp::Instance();
    app.hInstance = instance;
    app.dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, proc, 0);
    if (app.dialog == nullptr)
        return false;
    OutputDebugStringA("dialog created");
    SetProgramIcon(app.dialog, instance, dlg::kIcon);
    ShowWindow(app.dialog, showCommand);
    UpdateWindow(app.dialog);
    OutputDebugStringA("dialog shown");
    return CreateTabPages();
}

bool CreateTabPages() {
    CSetupApp& app = CSetupApp::Instance();
    TabPages* record = new TabPages();
    app.tabPages = record;
    InitCommonControls();
    record->pages = new HWND[dlg::kPageCount]();

    record->tab = CreateWindowExA(0, "SysTabControl32", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                  0, 0, 100, 100, app.dialog, nullptr, app.hInstance, nullptr);
    if (record->tab == nullptr)
        return false;
    UseDialogFont(record->tab, app.dialog);
    InsertTabs(record->tab);

    static const int kTemplates[dlg::kPageCount] = {dlg::kDisplayPage, dlg::kGamePage,
                                                    dlg::kAudioPage};
    for (int i = 0; i < dlg::kPageCount; ++i)
        record->templates[i] = LockDialogTemplate(kTemplates[i]);

    SetWindowPos(record->tab, nullptr, ScaledPixels(kTabX), ScaledPixels(kTabY),
                 ScaledPixels(kTabWidth), ScaledPixels(kTabHeight), SWP_NOZORDER);
    CreatePages(app, *record);
    FitTabAroundPages(record->tab, record->pages, dlg::kPageCount);
    CenterBanner(app.dialog);
    OutputDebugStringA("tab control and pages built");
    FillConfigChoice(app.dialog);
    for (const DialogLabel& label : kMainLabels)
        SetLabel(app.dialog, label.control, label.textId);
    SwitchPage();
    return true;
}

LPCDLGTEMPLATEA LockDialogTemplate(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (found == nullptr)
        return nullptr;
    HGLOBAL loaded = LoadResource(CSetupApp::Instance().hInstance, found);
    if (loaded == nullptr)
        return nullptr;
    return static_cast<LPCDLGTEMPLATEA>(LockResource(loaded));
}

void SwitchPage() {
    CSetupApp& app = CSetupApp::Instance();
    TabPages* record = app.tabPages;
    // Notifications can arrive while the tab control is still being built.
    if (record == nullptr || record->tab == nullptr || record->pages == nullptr)
        return;
    LRESULT selection = SendMessageA(record->tab, TCM_GETCURSEL, 0, 0);
    if (selection == currentTab || selection < 0 || selection >= dlg::kPageCount)
        return;
    if (currentTab != -1 && record->pages[currentTab] != nullptr)
        ShowWindow(record->pages[currentTab], SW_HIDE);
    currentTab = static_cast<int>(selection);
    FillPage(currentTab);
    HWND page = record->pages[currentTab];
    if (page != nullptr) {
        ShowWindow(page, SW_SHOW);
        UpdateWindow(page);
    }
    UpdateWindow(record->tab);
}

int CurrentTab() {
    return currentTab;
}

INT_PTR CALLBACK SetupDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    CSetupApp& app = CSetupApp::Instance();
    switch (message) {
    case WM_CLOSE:
        CloseDialog(app);
        return TRUE;
    case WM_NOTIFY:
        SwitchPage();
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case dlg::kApply:
            ApplySettings();
            break;
        case dlg::kExit:
        case IDCANCEL: // Esc, through the dialog manager
            CloseDialog(app);
            break;
        case dlg::kConfigChoice:
            OnConfigChoice(app);
            break;
        default:
            break;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK PageDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}
