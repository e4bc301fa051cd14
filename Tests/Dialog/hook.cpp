// What Wine does not carry across processes, read inside the settings program: hooked into the
// dialog's thread (SetWindowsHookEx, WH_CALLWNDPROC, the thread's id), the hook takes the
// message "VelmarkDialogProbe" sent to the dialog with, as lParam, 4096 bytes the caller made in
// the program, and writes there one NUL-terminated UTF-16 line of tab-separated fields:
//   units=X,Y        4 by 8 dialog units in pixels (the dialog font's metrics)
//   display=L,T,R,B  the tab control's display area, in the dialog's client area
//   titles=A|B|C     the tab titles
//   font=F           the tab control's font: dialog (the dialog's), other or none
//   icons=N          how many of the window's big and small icons are set
//   tight=...        "W:ID:W,H>W,H" (needed, then given) for each shown text that does not fit
//                    its control in the control's own font (W: m for the dialog, 0 to 2 pages)
//   overlaps=...     "W:ID/ID" for each two visible controls of one window that overlap by more
//                    than a pixel (group boxes frame others and are left out)
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const UINT kProbe = RegisterWindowMessageW(L"VelmarkDialogProbe");

std::wstring Number(long n) {
    return std::to_wstring(n);
}

std::wstring Box(RECT r) {
    return Number(r.left) + L"," + Number(r.top) + L"," + Number(r.right) + L"," + Number(r.bottom);
}

std::wstring Class(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// False, with what it needs, when control `c` shows a text that does not fit: a label wraps its
// words in its own width, a button keeps its text on one line inside its frame or beside its box.
bool Fits(HWND c, std::wstring& need) {
    wchar_t text[256] = {};
    LONG style = GetWindowLongW(c, GWL_STYLE), kind = style & BS_TYPEMASK;
    bool label = Class(c) == L"Static";
    if (!IsWindowVisible(c) || GetWindowTextW(c, text, 256) == 0 ||
        !(label ? (style & SS_TYPEMASK) <= SS_RIGHT : Class(c) == L"Button"))
        return true;
    RECT room = {}, used = {};
    GetClientRect(c, &room);
    used.right = label ? room.right : 0;
    HDC dc = GetDC(c);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    DrawTextW(dc, text, -1, &used, DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(c, dc);
    used.right += label                      ? 0
                  : kind == BS_GROUPBOX      ? 2 * metrics.tmAveCharWidth
                  : kind <= BS_DEFPUSHBUTTON ? metrics.tmAveCharWidth
                                             : GetSystemMetrics(SM_CXMENUCHECK) + 2;
    need = Number(used.right) + L"," + Number(used.bottom) + L">" + Box(room).substr(4); // from 0,0
    return used.right <= room.right && (!label || used.bottom <= room.bottom);
}

// The children of window `name`: each text that does not fit, and each two that overlap of those
// that cannot (visible, and neither group boxes, pages nor the tab control).
void AddChildren(std::wstring& tight, std::wstring& overlaps, const std::wstring& name,
                 HWND window) {
    std::vector<std::pair<std::wstring, RECT>> solid;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        std::wstring id = Number(static_cast<short>(GetDlgCtrlID(c))), need;
        LONG style = GetWindowLongW(c, GWL_STYLE);
        if (!Fits(c, need))
            tight += L" " + name + L":" + id + L":" + need;
        bool frame = Class(c) == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX;
        if (!(style & WS_VISIBLE) || frame || Class(c) == L"#32770" || Class(c) == WC_TABCONTROLW)
            continue;
        RECT r, inner, both;
        GetWindowRect(c, &r);
        inner = r;
        InflateRect(&inner, -1, -1); // rounding may make neighbours share a pixel
        for (const auto& other : solid)
            if (IntersectRect(&both, &inner, &other.second))
                overlaps += L" " + name + L":" + other.first + L"/" + id;
        solid.emplace_back(id, r);
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
        TCITEMW item = {TCIF_TEXT, 0, 0, title, 64, 0, 0};
        SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        titles += (i ? L"|" : L"") + std::wstring(title);
    }
    AddChildren(tight, overlaps, L"m", dialog);
    for (HWND page = nullptr; (page = FindWindowExW(dialog, page, L"#32770", nullptr)) != nullptr;)
        AddChildren(tight, overlaps,
                    GetDlgItem(page, 1002)   ? L"0"
                    : GetDlgItem(page, 1018) ? L"1"
                                             : L"2",
                    page);
    LRESULT font = SendMessageW(tab, WM_GETFONT, 0, 0);
    return L"units=" + Box(units).substr(4) + L"\tdisplay=" + Box(area) + L"\ttitles=" + titles +
           L"\tfont=" +
           (font == 0                                        ? L"none"
            : font == SendMessageW(dialog, WM_GETFONT, 0, 0) ? L"dialog"
                                                             : L"other") +
           L"\ticons=" +
           Number((SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0) +
                  (SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0)) +
           L"\ttight=" + tight.substr(tight.empty() ? 0 : 1) + L"\toverlaps=" +
           overlaps.substr(overlaps.empty() ? 0 : 1);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM w, LPARAM l) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(l);
    if (code == HC_ACTION && call->message == kProbe && call->lParam != 0)
        lstrcpynW(reinterpret_cast<wchar_t*>(call->lParam), Probe(call->hwnd).c_str(),
                  4096 / sizeof(wchar_t));
    return CallNextHookEx(nullptr, code, w, l);
}
