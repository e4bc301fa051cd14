// The least a Windows program can do to show what the settings program shows first: a dialog
// with a tab control. Its start-up time under Wine is what Wine itself costs.
#include <windows.h>

#include <commctrl.h>

namespace {

bool done = false;

INT_PTR CALLBACK BaselineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == 1010)) {
        DestroyWindow(dialog);
        done = true;
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(102), nullptr, BaselineProc, 0);
    if (dialog == nullptr)
        return -1;
    HWND tab = CreateWindowExA(0, "SysTabControl32", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                               10, 120, 650, 270, dialog, nullptr, instance, nullptr);
    char titles[3][8] = {"Tab 1", "Tab 2", "Tab 3"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = titles[i];
        SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    ShowWindow(dialog, SW_SHOWDEFAULT);
    UpdateWindow(dialog);
    MSG message;
    while (!done && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 1;
}
