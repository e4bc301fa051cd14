#include "Setup/DialogKeys.h"

#include <vector>

#include "Setup/CSetupApp.h"
#include "Setup/SetupDialog.h"
#include "Setup/SetupDialogIds.h"
#include "Setup/TabPages.h"

namespace {

// Stand-ins, in the main window's order, for the windows that have no id.
constexpr int kTabStrip = -2;
constexpr int kPages = -3;
// The statics without an id (-1 in the templates) are taken in template order.
constexpr int kNoId = -1;

// Each window's controls in reading order: top to bottom, then left to right, the groups by
// their top edge, each group box before what it holds, and each label just before its control
// so that a screen reader names the control by its label. The dialog manager's Tab follows
// this order (the z-order), so it is the keyboard's order too. The templates keep the layout
// they were drawn with; the order is given here, at run time.
const std::vector<int> kMainOrder = {
    kNoId, // banner
    dlg::kConfigChoiceLabel,
    dlg::kConfigChoice,
    kTabStrip,
    kPages,
    kNoId, // notice of the maker
    dlg::kExit,
    dlg::kApply,
};
const std::vector<int> kPageOrders[dlg::kPageCount] = {
    // Screen, Sea, Effects, Landscape, Misc, Forest, Sky.
    {1036, 1034, 1002, 1035, 1004, 1037, 1038, 1005, 1039, 1006, 1050, 1051,
     1013, 1043, 1044, 1014, 1052, 1053, 1023, 1054, 1024, 1055, 1015, 1046,
     1047, 1011, 1048, 1019, 1049, 1012, 1040, 1041, 1007, 1042, 1008},
    // Corpses with the scale of each slider ("1s", "1min" above, "12", "240" below), Menus,
    // Mouse.
    {1055, kNoId, kNoId, 1056, 1016, 1057, 1017, kNoId, kNoId, 1060, 1072, 1058, 1059, 1018, 1070,
     1071},
    // Sound.
    {1059, 1066, 1067, 1061, 1063, 1064, 1065, 1068, 1069, 1072, 1073, 1075, 1074},
};

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

// The windows of `order` under `parent`, which must still have its template's order.
std::vector<HWND> Resolve(HWND parent, const std::vector<int>& order, const TabPages& record) {
    const std::vector<HWND> children = Children(parent);
    std::vector<HWND> windows;
    size_t nextNoId = 0;
    for (int id : order) {
        if (id == kTabStrip) {
            windows.push_back(record.tab);
        } else if (id == kPages) {
            for (int i = 0; i < dlg::kPageCount; ++i)
                windows.push_back(record.pages[i]);
        } else if (id == kNoId) {
            while (nextNoId < children.size() &&
                   static_cast<short>(GetDlgCtrlID(children[nextNoId])) != kNoId)
                ++nextNoId;
            windows.push_back(nextNoId < children.size() ? children[nextNoId++] : nullptr);
        } else {
            windows.push_back(GetDlgItem(parent, id));
        }
    }
    return windows;
}

// Stacks `windows` from the top of their parent's z-order down, in this order. Windows not
// named keep their order below them.
void Stack(const std::vector<HWND>& windows) {
    HWND above = HWND_TOP;
    for (HWND window : windows) {
        if (window == nullptr)
            continue;
        SetWindowPos(window, above, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        above = window;
    }
}

void AddStyle(HWND window, int index, LONG_PTR bits) {
    if (window != nullptr)
        SetWindowLongPtrA(window, index, GetWindowLongPtrA(window, index) | bits);
}

// Every control starts a group of its own: there are no radio-like choices, and the arrow
// keys, which move within a group, then never take the focus from a check box or a button
// to a label.
void GroupEach(const std::vector<HWND>& windows) {
    for (HWND window : windows)
        if (window != nullptr && !(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
            AddStyle(window, GWL_STYLE, WS_GROUP);
}

// The pages lie over the tab control and must stay above it, for the mouse as for painting,
// so the main window's z-order starts at them. Tab goes round, so the order read is still
// the configuration choice, the tab control, the page shown, then the buttons.
std::vector<HWND> FromPages(const std::vector<HWND>& order, const TabPages& record) {
    std::vector<HWND> rotated = order;
    for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] == record.pages[0]) {
            rotated.assign(order.begin() + i, order.end());
            rotated.insert(rotated.end(), order.begin(), order.begin() + i);
            break;
        }
    }
    return rotated;
}

bool FocusWantsKey(const MSG& message) {
    LRESULT code = SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam,
                                reinterpret_cast<LPARAM>(&message));
    return (code & DLGC_WANTMESSAGE) != 0;
}

bool IsPushButton(HWND window) {
    return window != nullptr && (SendMessageA(window, WM_GETDLGCODE, 0, 0) &
                                 (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

// +1 for the next page, -1 for the previous one, 0 for any other key.
int PageStep(WPARAM key) {
    if (GetKeyState(VK_CONTROL) >= 0)
        return 0;
    if (key == VK_TAB)
        return GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    if (key == VK_NEXT)
        return 1;
    if (key == VK_PRIOR)
        return -1;
    return 0;
}

// The same road as a click on the tab: the page is filled (and on the first visit of the
// audio page the sound devices are detected) by SwitchPage. A focus inside the page that is
// about to be hidden moves to the tab control first, which names the page now shown.
void StepPage(CSetupApp& app, int step) {
    TabPages* record = app.tabPages;
    if (record == nullptr || record->tab == nullptr || record->pages == nullptr)
        return;
    int shown = static_cast<int>(SendMessageA(record->tab, TCM_GETCURSEL, 0, 0));
    if (shown < 0 || shown >= dlg::kPageCount)
        shown = 0;
    HWND page = record->pages[shown];
    if (page != nullptr && IsChild(page, GetFocus()))
        SendMessageA(app.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(record->tab), TRUE);
    SendMessageA(record->tab, TCM_SETCURSEL, (shown + step + dlg::kPageCount) % dlg::kPageCount, 0);
    SwitchPage();
}

} // namespace

void PrepareDialogKeyboard() {
    CSetupApp& app = CSetupApp::Instance();
    TabPages* record = app.tabPages;
    if (app.dialog == nullptr || record == nullptr || record->pages == nullptr)
        return;
    for (int i = 0; i < dlg::kPageCount; ++i) {
        HWND page = record->pages[i];
        if (page == nullptr)
            continue;
        std::vector<HWND> order = Resolve(page, kPageOrders[i], *record);
        Stack(order);
        GroupEach(order);
        AddStyle(page, GWL_EXSTYLE, WS_EX_CONTROLPARENT);
    }
    std::vector<HWND> order = Resolve(app.dialog, kMainOrder, *record);
    Stack(FromPages(order, *record));
    GroupEach(order);
    AddStyle(record->tab, GWL_STYLE, WS_TABSTOP);

    BOOL cuesAlways = FALSE;
    SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cuesAlways, 0);
    if (!cuesAlways)
        SendMessageA(app.dialog, WM_CHANGEUISTATE,
                     MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    SendMessageA(app.dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(app.dialog, dlg::kConfigChoice)), TRUE);
}

bool HandleDialogMessage(MSG& message) {
    CSetupApp& app = CSetupApp::Instance();
    HWND dialog = app.dialog;
    if (dialog == nullptr || !IsWindow(dialog) ||
        (message.hwnd != dialog && !IsChild(dialog, message.hwnd)))
        return false;
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        if (SendMessageA(dialog, WM_QUERYUISTATE, 0, 0) & (UISF_HIDEFOCUS | UISF_HIDEACCEL))
            SendMessageA(dialog, WM_CHANGEUISTATE,
                         MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        if (message.message == WM_KEYDOWN && !FocusWantsKey(message)) {
            if (int step = PageStep(message.wParam)) {
                StepPage(app, step);
                return true;
            }
            // No Apply by accident: Enter presses a button only when the button has the focus.
            if (message.wParam == VK_RETURN && !IsPushButton(GetFocus()))
                return true;
        }
    }
    // Tab, Shift+Tab, Esc (IDCANCEL, which is Exit), Enter on a button, Space, the arrows
    // inside a group; everything else aimed at the dialog is dispatched from there.
    return IsDialogMessageA(dialog, &message) != FALSE;
}
