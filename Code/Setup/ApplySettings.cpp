#include "Setup/ApplySettings.h"

#include <string>

#include "Ini/CIniFile.h"
#include "Platform/Win32.h"
#include "Setup/CSetupApp.h"
#include "Setup/PageFillMouse.h"
#include "Setup/SettingsKeys.h"
#include "Setup/SetupDialog.h"
#include "Setup/SetupDialogIds.h"
#include "Setup/TabPages.h"

namespace {

// How a key gets its value: from a control of the page, or fixed (keys no control shows).
enum class Read { List, Check, Slider, MouseSpeed, DevicePosition, FixedText, FixedInt };

struct ControlWrite {
    const char* key;
    Read read;
    int control;           // control on the page; 0 for the fixed values
    const char* text = ""; // FixedText
    int number = 0;        // FixedInt
};

// The order of the writes, page by page. Keys without a control are written after these.
const ControlWrite kDisplayWrites[] = {
    {"RESOLUTION", Read::List, dlg::kResolution},
    {"BITDEPTH", Read::List, dlg::kBitDepth},
    {"SEAQUALITY", Read::List, dlg::kSeaQuality},
    {"SKYQUALITY", Read::List, dlg::kSkyQuality},
    {"TERRAINSIZE", Read::FixedText, 0, "High"},
    {"FORESTDENSITY", Read::List, dlg::kForestDensity},
    {"LOD", Read::List, dlg::kLod},
    {"SEAANIMATED", Read::Check, dlg::kSeaAnimated},
    {"SKYANIMATED", Read::Check, dlg::kSkyAnimated},
    {"FORESTANIMATED", Read::Check, dlg::kForestAnimated},
    {"SHADOWS", Read::Check, dlg::kShadows},
    {"TERRAINQUALITY", Read::Slider, dlg::kTerrainQuality},
    {"FORESTLOADING", Read::Slider, dlg::kForestLoading},
    {"FAR", Read::Slider, dlg::kFar},
    {"METEO", Read::Check, dlg::kMeteo},
};

const ControlWrite kGameWrites[] = {
    {"DEATHTIME", Read::Slider, dlg::kDeathTime},
    {"NBDEATH", Read::Slider, dlg::kNbDeath},
    {"INVERT_MOUSE", Read::Check, dlg::kInvertMouse},
    {"ANIMATEDMENUS", Read::Check, dlg::kAnimatedMenus},
    {"MOUSE_SPEED", Read::MouseSpeed, dlg::kMouseSpeed},
};

const ControlWrite kAudioWrites[] = {
    {"SOUND_GLOBAL", Read::FixedInt, 0, "", -1},
    {"SOUND_SAMPLE", Read::Slider, dlg::kSoundSample},
    {"SOUND_STREAM", Read::Slider, dlg::kSoundStream},
    {"SOUND_ENABLE", Read::Check, dlg::kSoundEnable},
    {"SOUND_DEVICE", Read::DevicePosition, dlg::kSoundDevice},
    {"SOUND_STRM_STEREO", Read::List, dlg::kStreamStereo},
    {"SOUND_STRM_QUALITY", Read::List, dlg::kStreamQuality},
};

// Written at every Apply whatever the pages.
struct FixedWrite {
    const char* key;
    const char* text; // null for the two reals
    float real;
};

const FixedWrite kFixedWrites[] = {
    {"SUN", nullptr, 0.0f},
    {"FORESTSIZE", nullptr, 6.6f},
    {"TEXTURINGBIL", "FILTER_BILERP", 0.0f},
    {"TEXTURINGFOREST", "FILTER_BILERP", 0.0f},
    {"TEXTURINGSHADOWS", "FILTER_BILERP", 0.0f},
    {"TEXTURINGTERRAIN", "FILTER_BILERP", 0.0f},
    {"ENABLEMANAGEPICKING", "1", 0.0f},
    {"MIPMAP", "0", 0.0f},
};

CIniFile& Options(CSetupApp& app) {
    CIniFile* options = app.settings.FindSection(kSectionOptions);
    return options != nullptr ? *options : *app.settings.AddSection(kSectionOptions);
}

LRESULT Send(HWND page, int id, UINT message) {
    return SendDlgItemMessageA(page, id, message, 0, 0);
}

void WriteControl(CSetupApp& app, HWND page, const ControlWrite& write) {
    switch (write.read) {
    case Read::List: {
        int position = static_cast<int>(Send(page, write.control, CB_GETCURSEL));
        std::string stored;
        bool found = position >= 0 && position < app.CountChoices(write.control);
        // A list without a selection keeps the key's present value.
        if (found) {
            app.ChoiceStoredAt(write.control, position, stored);
            Options(app).SetString(write.key, stored, true);
        }
        break;
    }
    case Read::Check:
        Options(app).SetBool(write.key, Send(page, write.control, BM_GETCHECK) != 0, true);
        break;
    case Read::Slider:
        Options(app).SetInt(write.key, static_cast<int>(Send(page, write.control, TBM_GETPOS)),
                            true);
        break;
    case Read::MouseSpeed: {
        int position = static_cast<int>(Send(page, write.control, TBM_GETPOS));
        Options(app).SetFloat(write.key, MouseSpeedValue(position), true);
        break;
    }
    case Read::DevicePosition:
        // CB_ERR is -1: no device selected is stored as -1.
        Options(app).SetInt(write.key, static_cast<int>(Send(page, write.control, CB_GETCURSEL)),
                            true);
        break;
    case Read::FixedText:
        Options(app).SetString(write.key, write.text, true);
        break;
    case Read::FixedInt:
        Options(app).SetInt(write.key, write.number, true);
        break;
    }
}

template <size_t N> void WritePage(CSetupApp& app, int pageIndex, const ControlWrite (&writes)[N]) {
    HWND page = app.tabPages->pages[pageIndex];
    if (page == nullptr)
        return;
    for (const ControlWrite& write : writes)
        WriteControl(app, page, write);
}

void VisitEveryPage(CSetupApp& app) {
    static const int kWalk[] = {0, 1, 2, 0};
    for (int tab : kWalk) {
        SendMessageA(app.tabPages->tab, TCM_SETCURSEL, tab, 0);
        SwitchPage();
    }
}

} // namespace

bool ApplySettings() {
    CSetupApp& app = CSetupApp::Instance();
    if (app.tabPages != nullptr && app.tabPages->pages != nullptr) {
        VisitEveryPage(app);
        WritePage(app, dlg::kPageDisplay, kDisplayWrites);
        WritePage(app, dlg::kPageGame, kGameWrites);
        WritePage(app, dlg::kPageAudio, kAudioWrites);
    }
    for (const FixedWrite& write : kFixedWrites) {
        if (write.text == nullptr)
            Options(app).SetFloat(write.key, write.real, true);
        else
            Options(app).SetString(write.key, write.text, true);
    }
    app.SaveSettings();
    return true;
}
