// Resource and control numbers of the settings dialog (Resources/VelmarkSetup.rc).
// The pages' controls are numbered in the key table (SettingsKeys.cpp).
#pragma once

namespace dlg {

// Templates and pictures.
enum : int {
    kMainDialog = 102,
    kDisplayPage = 135,
    kGamePage = 136,
    kAudioPage = 140,
    kBanner = 141,
    kIcon = 128,
};

// Main dialog.
enum : int {
    kApply = 1009,
    kExit = 1010,
    kConfigChoice = 1012,
    kConfigChoiceLabel = 1058,
};

// Pages in tab order.
enum : int { kPageDisplay = 0, kPageGame = 1, kPageAudio = 2, kPageCount = 3 };

} // namespace dlg
