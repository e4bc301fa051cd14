// The localized labels of the three pages, in the order they are set.
#include <string>

#include "Ini/Localization.h"
#include "Setup/SetupDialog.h"

namespace {

struct Label {
    int id;
    const char* key;
};

const Label kDisplayLabels[] = {
    {1036, "E_SETUP_SCREEN"},
    {1034, "E_SETUP_SCREEN_RESOLUTION"},
    {1035, "E_SETUP_SCREEN_BIT_DEPTH"},
    {1037, "E_SETUP_SEA"},
    {1038, "E_SETUP_SEA_QUALITY"},
    {1039, "E_SETUP_SEA_ANIMATED"},
    {1040, "E_SETUP_SKY"},
    {1041, "E_SETUP_SKY_QUALITY"},
    {1042, "E_SETUP_SKY_ANIMATED"},
    {1043, "E_SETUP_LANDSCAPE"},
    {1044, "E_SETUP_LANDSCAPE_DETAILS"},
    {1046, "E_SETUP_FOREST"},
    {1047, "E_SETUP_FOREST_DENSITY"},
    {1048, "E_SETUP_FOREST_LOADING_SPEED"},
    {1049, "E_SETUP_FOREST_ANIMATED"},
    {1050, "E_SETUP_EFFECTS"},
    {1051, "E_SETUP_EFFECTS_SHADOWS"},
    {1052, "E_SETUP_MISC"},
    {1053, "E_SETUP_MISC_LOD"},
    {1054, "E_SETUP_MISC_FAR"},
    {1055, "E_SETUP_MISC_METEO"},
};

const Label kGameLabels[] = {
    {1055, "E_SETUP_CORPSES"},
    {1056, "E_SETUP_CORPSES_DURATION"},
    {1057, "E_SETUP_CORPSES_MAX_NUMBER"},
    {1058, "E_SETUP_MOUSE"},
    {1059, "E_SETUP_MOUSE_SPEED"},
    {1070, "E_SETUP_MOUSE_INVERT"},
    {1072, "E_SETUP_ANIMATED_MENUS"},
    {1060, "E_SETUP_MENUS_MENUS"},
};

const Label kAudioLabels[] = {
    {1059, "E_MSG_MENUS_AUDIO"},
    {1066, "E_MSG_MENUS_DRIVER_CHOICE"},
    {1061, "E_MSG_MENUS_VOLUME_SOUND_EFFECTS"},
    {1064, "E_MSG_MENUS_VOLUME_MUSIC"},
    {1068, "E_MSG_MENUS_ENABLE_SOUND"},
    {1075, "E_MSG_MENUS_SOUND_MONOSTEREO"},
    {1072, "E_MSG_MENUS_SOUND_QUALITY"},
};

template <size_t N> void SetLabels(HWND page, const Label (&labels)[N]) {
    if (page == nullptr)
        return;
    for (const Label& label : labels) {
        std::string text = Localize("GAME", label.key);
        SendDlgItemMessageA(page, label.id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

} // namespace

void LocalizeDisplayPage(HWND page) {
    SetLabels(page, kDisplayLabels);
}
void LocalizeGamePage(HWND page) {
    SetLabels(page, kGameLabels);
}
void LocalizeAudioPage(HWND page) {
    SetLabels(page, kAudioLabels);
}
