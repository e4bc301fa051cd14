// Resource and control numbers of the settings dialog (Resources/VelmarkSetup.rc).
// Control numbers repeat across pages: each is unique only within its own window.
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

// Page 0, display options.
enum : int {
    kResolution = 1002,
    kBitDepth = 1004,
    kSeaQuality = 1005,
    kSeaAnimated = 1006,
    kSkyQuality = 1007,
    kSkyAnimated = 1008,
    kForestDensity = 1011,
    kForestAnimated = 1012,
    kShadows = 1013,
    kTerrainQuality = 1014,
    kMeteo = 1015,
    kForestLoading = 1019,
    kLod = 1023,
    kFar = 1024,
};

// Page 1, game options.
enum : int {
    kDeathTime = 1016,
    kNbDeath = 1017,
    kMouseSpeed = 1018,
    kInvertMouse = 1071,
    kAnimatedMenus = 1072,
};

// Page 2, audio.
enum : int {
    kSoundSample = 1063,
    kSoundStream = 1065,
    kSoundDevice = 1067,
    kSoundEnable = 1069,
    kStreamQuality = 1073,
    kStreamStereo = 1074,
};

// Pages in tab order.
enum : int { kPageDisplay = 0, kPageGame = 1, kPageAudio = 2, kPageCount = 3 };

} // namespace dlg
