// The localized labels of the three pages, in the order they are set.
#include <string>

#include "Ini/Localization.h"
#include "Setup/DialogTexts.h"
#include "Setup/SetupDialog.h"
#include "Setup/WideControls.h"

namespace {

void SetLabels(HWND page, int pageIndex) {
    if (page == nullptr)
        return;
    size_t count = 0;
    const DialogLabel* labels = PageLabels(pageIndex, count);
    for (size_t i = 0; i < count; ++i)
        SetControlText(page, labels[i].control, Localize("GAME", labels[i].textId));
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
