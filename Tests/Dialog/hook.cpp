// What Wine does not carry across processes, read inside the settings program: hooked into the
// dialog's thread (SetWindowsHookEx, WH_CALLWNDPROC, the thread's id), the hook takes the
// message "VelmarkDialogProbe" sent to the dialog with, as lParam, 4096 bytes the caller made in
// the program, and writes there one NUL-terminated UTF-16 line of tab-separated fields:
//   units=X,Y        4 by 8 dialog units in pixels (the dialog font's metrics)
//   display=L,T,R,B  the tab control's display area, in the dialog's client area
//   titles=A|B|C     the tab titles
//   font=F           the tab control's font: dialog (the dialog's), other or none
//   icons=N          how many of the window's big and small icons are set
//   tight=...        "W:ID:NEED>ROOM" for each shown text that does not fit its control in
//                    the control's own font (W: m for the dialog, 0 to 2 for the pages)
//   overlaps=...     "W:ID/ID" for each two visible controls of one window that overlap by more
//                    than a pixel (group boxes frame others and are left out)
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const UINT kProbe = RegisterWindowMessageW(L"VelmarkDialogProbe");
const size_t kRoom = 4096 / sizeof(wchar_t);

std::wstring Box(RECT r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

std::wstring Class(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Width and height a control's text needs beyond what its kind draws around it: a static wraps
// its words in its own width, a button's text stays on one line inside its frame or beside its
// check box.
SIZE Needed(HWND c, const std::wstring& text, LONG style, int width) {
    HDC dc = GetDC(c);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    bool label = Class(c) == L"Static";
    RECT need = {0, 0, label ? width : 0, 0};
    DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(c, dc);
    int kind = style & BS_TYPEMASK, margin = label                 ? 0
                                             : kind == BS_GROUPBOX ? 2 * metrics.tmAveCharWidth
                                             : kind <= BS_DEFPUSHBUTTON
                                                 ? metrics.tmAveCharWidth
                                                 : GetSystemMetrics(SM_CXMENUCHECK) + 2;
    return {need.right + margin, need.bottom};
}

void AddTight(std::wstring& out, const std::wstring& window, HWND c) {
    wchar_t text[256] = {};
    LONG style = GetWindowLongW(c, GWL_STYLE);
    bool label = Class(c) == L"Static", button = Class(c) == L"Button";
    if (!IsWindowVisible(c) || GetWindowTextW(c, text, 256) == 0 || !(label || button) ||
        (label && (style & SS_TYPEMASK) > SS_RIGHT))
        return;
    RECT room = {};
    GetClientRect(c, &room);
    SIZE need = Needed(c, text, style, room.right);
    if (need.cx > room.right || (label && need.cy > room.bottom))
        out += L" " + window + L":" + std::to_wstring(static_cast<short>(GetDlgCtrlID(c))) + L":" +
               std::to_wstring(need.cx) + L"x" + std::to_wstring(need.cy) + L">" +
               std::to_wstring(room.right) + L"x" + std::to_wstring(room.bottom);
}

// The children that can overlap: visible ones that are neither group boxes, pages nor the tab.
std::vector<HWND> Solid(HWND window) {
    std::vector<HWND> solid;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        LONG style = GetWindowLongW(c, GWL_STYLE);
        bool frame = Class(c) == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX;
        if ((style & WS_VISIBLE) && !frame && Class(c) != L"#32770" && Class(c) != WC_TABCONTROLW)
            solid.push_back(c);
    }
    return solid;
}

void AddOverlaps(std::wstring& out, const std::wstring& window, HWND parent) {
    std::vector<HWND> solid = Solid(parent);
    for (size_t i = 0; i < solid.size(); ++i)
        for (size_t j = i + 1; j < solid.size(); ++j) {
            RECT a, b, both;
            GetWindowRect(solid[i], &a);
            GetWindowRect(solid[j], &b);
            InflateRect(&a, -1, -1); // rounding may make neighbours share a pixel
            if (IntersectRect(&both, &a, &b))
                out += L" " + window + L":" +
                       std::to_wstring(static_cast<short>(GetDlgCtrlID(solid[i]))) + L"/" +
                       std::to_wstring(static_cast<short>(GetDlgCtrlID(solid[j])));
        }
}

// Each window's fit, the dialog as m and each page by the control only it holds.
void AddFit(std::wstring& tight, std::wstring& overlaps, HWND dialog) {
    AddOverlaps(overlaps, L"m", dialog);
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const wchar_t* page = GetDlgItem(c, 1002)   ? L"0"
                              : GetDlgItem(c, 1018) ? L"1"
                              : GetDlgItem(c, 1067) ? L"2"
                                                    : nullptr;
        AddTight(tight, L"m", c);
        if (page != nullptr && Class(c) == L"#32770") {
            AddOverlaps(overlaps, page, c);
            for (HWND d = GetWindow(c, GW_CHILD); d != nullptr; d = GetWindow(d, GW_HWNDNEXT))
                AddTight(tight, page, d);
        }
    }
}

std::wstring Probe(HWND dialog) {
    HWND tab = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
    RECT units = {0, 0, 4, 8}, area = {};
    MapDialogRect(dialog, &units);
    GetClientRect(tab, &area);
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tab, dialog, reinterpret_cast<POINT*>(&area), 2);
    std::wstring titles, tight, overlaps;
    for (int i = 0; i < 3; ++i) {
        wchar_t title[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = 64;
        SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        titles += (i ? L"|" : L"") + std::wstring(title);
    }
    LRESULT font = SendMessageW(tab, WM_GETFONT, 0, 0);
    int icons = (SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0) +
                (SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0);
    AddFit(tight, overlaps, dialog);
    return L"units=" + std::to_wstring(units.right) + L"," + std::to_wstring(units.bottom) +
           L"\tdisplay=" + Box(area) + L"\ttitles=" + titles + L"\tfont=" +
           (font == 0                                        ? L"none"
            : font == SendMessageW(dialog, WM_GETFONT, 0, 0) ? L"dialog"
                                                             : L"other") +
           L"\ticons=" + std::to_wstring(icons) + L"\ttight=" +
           tight.substr(tight.empty() ? 0 : 1) + L"\toverlaps=" +
           overlaps.substr(overlaps.empty() ? 0 : 1);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM w, LPARAM l) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(l);
    if (code == HC_ACTION && call->message == kProbe && call->lParam != 0)
        lstrcpynW(reinterpret_cast<wchar_t*>(call->lParam), Probe(call->hwnd).c_str(), kRoom);
    return CallNextHookEx(nullptr, code, w, l);
}
