#include "Setup/DialogFit.h"

#include <algorithm>

namespace {

const int kLayoutDpi = 96;
// The banner's band in the main dialog's template, in dialog units.
const RECT kBannerBand = {0, 0, 448, 66};

RECT RectInParent(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FindBanner(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Static") == 0 &&
            (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            return child;
    }
    return nullptr;
}

} // namespace

int ScreenDpi() {
    static const int dpi = [] {
        // GDI is in every process that has windows; looking the call up keeps the program's
        // imports to the four DLLs it has always had.
        using GetDeviceCapsCall = int(WINAPI*)(HDC, int);
        HMODULE gdi = GetModuleHandleW(L"gdi32.dll");
        auto getDeviceCaps = reinterpret_cast<GetDeviceCapsCall>(
            reinterpret_cast<void (*)()>(gdi ? GetProcAddress(gdi, "GetDeviceCaps") : nullptr));
        HDC screen = GetDC(nullptr);
        int found = getDeviceCaps && screen ? getDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen != nullptr)
            ReleaseDC(nullptr, screen);
        return found > 0 ? found : kLayoutDpi;
    }();
    return dpi;
}

int ScaledPixels(int pixels) {
    return MulDiv(pixels, ScreenDpi(), kLayoutDpi);
}

void FitTabAroundPages(HWND tab, const HWND* pages, int count) {
    RECT needed = {};
    for (int i = 0; i < count; ++i) {
        if (pages[i] == nullptr)
            continue;
        RECT page = RectInParent(pages[i]);
        UnionRect(&needed, &needed, &page);
    }
    if (IsRectEmpty(&needed))
        return;
    SendMessageW(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&needed));
    RECT frame = RectInParent(tab);
    if (needed.right <= frame.right && needed.bottom <= frame.bottom)
        return;
    frame.right = std::max(frame.right, needed.right);
    frame.bottom = std::max(frame.bottom, needed.bottom);
    SetWindowPos(tab, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CenterBanner(HWND dialog) {
    HWND banner = FindBanner(dialog);
    if (banner == nullptr)
        return;
    RECT band = kBannerBand, client = {}, picture = RectInParent(banner);
    MapDialogRect(dialog, &band);
    GetClientRect(dialog, &client);
    int x = std::max(0L, (client.right - (picture.right - picture.left)) / 2);
    int y = std::max(0L, (band.bottom - (picture.bottom - picture.top)) / 2);
    if (x != picture.left || y != picture.top)
        SetWindowPos(banner, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

void UseDialogFont(HWND tab, HWND dialog) {
    SendMessageW(tab, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

void SetProgramIcon(HWND dialog, HINSTANCE instance, int iconId) {
    // Shared icons belong to the system; nothing to destroy.
    for (int which : {ICON_BIG, ICON_SMALL}) {
        int size = GetSystemMetrics(which == ICON_BIG ? SM_CXICON : SM_CXSMICON);
        HANDLE icon =
            LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_SHARED);
        if (icon != nullptr)
            SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}
