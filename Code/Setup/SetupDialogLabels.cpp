// The localized labels of the three pages, in the order they are set.
#include <string>

#include "Ini/Localization.h"
#include "Setup/DialogTexts.h"
#include "Setup/SetupDialog.h"

namespace {

void SetLabels(HWND page, int pageIndex) {
    if (page == nullptr)
        return;
    size_t count = 0;
    const DialogLabel* labels = PageLabels(pageIndex, count);
    for (size_t i = 0; i < count; ++i) {
        std::string text = Localize("GAME", labels[i].textId);
        SendDlgItemMessageA(page, labels[i].control, WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(text.c_str()));
    }
}

} // namespace

void LocalizeDisplayPage(HWND page) {
    SetLabels(page, 0);
}
void LocalizeGamePage(HWND page) {
    SetLabels(page, 1);
}
void LocalizeAudioPage(HWND page) {
    SetLabels(page, 2);
}
