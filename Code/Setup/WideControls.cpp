#include "Setup/WideControls.h"

#include "App/Windows1252.h"

void SetControlText(HWND window, int id, const std::string& text) {
    std::wstring wide = WidenWindows1252(text);
    SendDlgItemMessageW(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void AddListEntry(HWND window, int id, const std::string& text) {
    std::wstring wide = WidenWindows1252(text);
    SendDlgItemMessageW(window, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void InsertTabTitle(HWND tab, int index, const std::string& title) {
    std::wstring wide = WidenWindows1252(title);
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.iImage = -1;
    item.pszText = &wide[0];
    SendMessageW(tab, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
}
