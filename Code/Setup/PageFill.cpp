#include "Setup/PageFill.h"

#include <vector>

#include "Ini/CIniFile.h"
#include "Setup/CSetupApp.h"
#include "Setup/PageFillMouse.h"
#include "Setup/SettingsKeys.h"
#include "Setup/SetupDialog.h"
#include "Setup/SetupDialogIds.h"
#include "Setup/TabPages.h"
#include "Sound/CSoundEngine.h"

namespace {

HWND PageWindow(CSetupApp& app, int page) {
    if (app.tabPages == nullptr || app.tabPages->pages == nullptr)
        return nullptr;
    return app.tabPages->pages[page];
}

LRESULT Send(HWND page, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(page, id, message, wParam, lParam);
}

void SetRange(HWND page, int id, int low, int high) {
    Send(page, id, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
}

void SetPosition(HWND page, int id, int position) {
    Send(page, id, TBM_SETPOS, TRUE, position);
}

void SetCheck(HWND page, int id, bool checked) {
    Send(page, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SelectEntry(HWND page, int id, int position) {
    Send(page, id, CB_SETCURSEL, position, 0);
}

// Typed reads of one section; a missing section reads as the getters' sentinels, silently.
int ReadInt(CSetupApp& app, const char* section, const char* key) {
    CIniFile* node = app.settings.FindSection(section);
    return node != nullptr ? node->GetInt(key) : kIniMissingInt;
}

bool ReadBool(CSetupApp& app, const char* section, const char* key) {
    CIniFile* node = app.settings.FindSection(section);
    return node != nullptr && node->GetBool(key);
}

void SelectStored(HWND page, int id, const char* key, int source) {
    SelectEntry(page, id, FindChoiceIndex(id, key, source));
}

void SetupDisplayPage(HWND page) {
    LocalizeDisplayPage(page);
    static const int kLists[] = {dlg::kResolution, dlg::kBitDepth,      dlg::kSeaQuality,
                                 dlg::kSkyQuality, dlg::kForestDensity, dlg::kLod};
    for (int id : kLists) {
        FillChoiceCombo(page, id);
        SelectEntry(page, id, 0);
    }
    SetRange(page, dlg::kTerrainQuality, 20, 100);
    SetRange(page, dlg::kForestLoading, 10, 300);
    SetRange(page, dlg::kFar, 50, 100);
}

void RefillDisplayPage(CSetupApp& app, HWND page) {
    const int s = app.configSource;
    const char* section = ChoiceSection(s);
    SelectStored(page, dlg::kResolution, "RESOLUTION", s);
    SelectStored(page, dlg::kBitDepth, "BITDEPTH", s);
    SelectStored(page, dlg::kSeaQuality, "SEAQUALITY", s);
    SelectStored(page, dlg::kSkyQuality, "SKYQUALITY", s);
    SelectStored(page, dlg::kForestDensity, "FORESTDENSITY", s);
    SelectStored(page, dlg::kLod, "LOD", s);
    SetCheck(page, dlg::kSkyAnimated, ReadBool(app, section, "SKYANIMATED"));
    SetCheck(page, dlg::kSeaAnimated, ReadBool(app, section, "SEAANIMATED"));
    SetCheck(page, dlg::kForestAnimated, ReadBool(app, section, "FORESTANIMATED"));
    SetCheck(page, dlg::kShadows, ReadBool(app, section, "SHADOWS"));
    SetCheck(page, dlg::kMeteo, ReadBool(app, section, "METEO"));
    SetPosition(page, dlg::kTerrainQuality, ReadInt(app, section, "TERRAINQUALITY"));
    SetPosition(page, dlg::kForestLoading, ReadInt(app, section, "FORESTLOADING"));
    SetPosition(page, dlg::kFar, ReadInt(app, section, "FAR"));
}

void RefillGamePage(CSetupApp& app, HWND page) {
    const char* section = ChoiceSection(app.configSource);
    SetPosition(page, dlg::kDeathTime, ReadInt(app, section, "DEATHTIME"));
    SetPosition(page, dlg::kNbDeath, ReadInt(app, section, "NBDEATH"));
    CIniFile* options = app.settings.FindSection(kSectionOptions);
    int mouse = options != nullptr ? MouseSpeedPosition(options->GetFloat("MOUSE_SPEED")) : 0;
    SetPosition(page, dlg::kMouseSpeed, mouse);
    SetCheck(page, dlg::kInvertMouse, ReadBool(app, kSectionOptions, "INVERT_MOUSE"));
    SetCheck(page, dlg::kAnimatedMenus, ReadBool(app, section, "ANIMATEDMENUS"));
}

void DetectSoundDevices(CSetupApp& app, HWND page) {
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&app.dialog, &devices);
    for (const SoundDeviceInfo& device : devices)
        Send(page, dlg::kSoundDevice, CB_ADDSTRING, 0,
             reinterpret_cast<LPARAM>(device.name.c_str()));
    SelectEntry(page, dlg::kSoundDevice, 0);
}

void SetupAudioPage(CSetupApp& app, HWND page) {
    LocalizeAudioPage(page);
    FillChoiceCombo(page, dlg::kStreamStereo);
    FillChoiceCombo(page, dlg::kStreamQuality);
    SetRange(page, dlg::kSoundSample, 0, 1000);
    SetRange(page, dlg::kSoundStream, 0, 1000);
    SelectEntry(page, dlg::kStreamStereo, 0);
    SelectEntry(page, dlg::kStreamQuality, 0);
    DetectSoundDevices(app, page);
}

void RefillAudioPage(CSetupApp& app, HWND page) {
    SetPosition(page, dlg::kSoundSample, ReadInt(app, kSectionOptions, "SOUND_SAMPLE"));
    SetPosition(page, dlg::kSoundStream, ReadInt(app, kSectionOptions, "SOUND_STREAM"));
    SetCheck(page, dlg::kSoundEnable, ReadBool(app, kSectionOptions, "SOUND_ENABLE"));
    SelectEntry(page, dlg::kSoundDevice, ReadInt(app, kSectionOptions, "SOUND_DEVICE"));
    SelectStored(page, dlg::kStreamStereo, "SOUND_STRM_STEREO", app.configSource);
    SelectStored(page, dlg::kStreamQuality, "SOUND_STRM_QUALITY", app.configSource);
}

} // namespace

int FindChoiceIndex(int listId, const std::string& key, int source) {
    CSetupApp& app = CSetupApp::Instance();
    const std::string& value = app.settings.GetString(ChoiceSection(source), key);
    int position = 0;
    for (const Choice& choice : app.Choices()) {
        if (choice.listId != listId)
            continue;
        if (choice.stored == value)
            return position;
        ++position;
    }
    return position;
}

void FillChoiceCombo(HWND page, int listId) {
    Send(page, listId, CB_RESETCONTENT, 0, 0);
    for (const Choice& choice : CSetupApp::Instance().Choices()) {
        if (choice.listId == listId)
            Send(page, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.display.c_str()));
    }
}

void FillDisplayPage() {
    CSetupApp& app = CSetupApp::Instance();
    app.currentPage = dlg::kPageDisplay;
    HWND page = PageWindow(app, dlg::kPageDisplay);
    if (page == nullptr)
        return;
    if (app.pageNeedsInit[0]) {
        SetupDisplayPage(page);
        app.pageNeedsInit[0] = false;
    }
    if (app.pageNeedsFill[0]) {
        if (app.settingsLoaded)
            RefillDisplayPage(app, page);
        app.pageNeedsFill[0] = false;
    }
}

void FillGamePage() {
    CSetupApp& app = CSetupApp::Instance();
    app.currentPage = dlg::kPageGame;
    HWND page = PageWindow(app, dlg::kPageGame);
    if (page == nullptr)
        return;
    if (app.pageNeedsInit[1]) {
        LocalizeGamePage(page);
        SetRange(page, dlg::kDeathTime, 0, 60);
        SetRange(page, dlg::kNbDeath, 12, 240);
        SetRange(page, dlg::kMouseSpeed, 10, 20);
        app.pageNeedsInit[1] = false;
    }
    if (app.pageNeedsFill[1]) {
        if (app.settingsLoaded)
            RefillGamePage(app, page);
        app.pageNeedsFill[1] = false;
    }
}

void FillAudioPage() {
    CSetupApp& app = CSetupApp::Instance();
    app.currentPage = dlg::kPageAudio;
    HWND page = PageWindow(app, dlg::kPageAudio);
    if (page == nullptr)
        return;
    if (app.pageNeedsInit[2]) {
        SetupAudioPage(app, page);
        app.pageNeedsInit[2] = false;
    }
    if (app.pageNeedsFill[2]) {
        RefillAudioPage(app, page);
        app.pageNeedsFill[2] = false;
    }
}

void FillPage(int page) {
    switch (page) {
    case dlg::kPageDisplay:
        FillDisplayPage();
        break;
    case dlg::kPageGame:
        FillGamePage();
        break;
    case dlg::kPageAudio:
        FillAudioPage();
        break;
    default:
        break;
    }
}

void SelectConfiguration(int choice) {
    CSetupApp& app = CSetupApp::Instance();
    app.configSource = choice;
    for (bool& flag : app.pageNeedsFill)
        flag = true;
    FillPage(app.currentPage);
}
