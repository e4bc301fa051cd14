#include "Setup/DialogTexts.h"

#include <algorithm>
#include <iterator>

#include "Setup/SettingsKeys.h"
#include "Setup/SetupDialogIds.h"

const char* const kTabTitleIds[3] = {"E_SETUP_3D_OPTIONS", "E_SETUP_GAME_OPTIONS",
                                     "E_MSG_MENUS_AUDIO"};

const char* const kConfigChoiceIds[3] = {"E_SETUP_CONFIG_USER", "E_SETUP_CONFIG_BEST_PERFORMANCE",
                                         "E_SETUP_CONFIG_BEST_QUALITY"};

const DialogLabel kMainLabels[3] = {
    {dlg::kConfigChoiceLabel, "E_SETUP_CONFIG_CHOICE"},
    {dlg::kApply, "E_SETUP_APPLY"},
    {dlg::kExit, "E_SETUP_CANCEL"},
};

namespace {

const DialogLabel kDisplayLabels[] = {
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

const DialogLabel kGameLabels[] = {
    {1055, "E_SETUP_CORPSES"},
    {1056, "E_SETUP_CORPSES_DURATION"},
    {1057, "E_SETUP_CORPSES_MAX_NUMBER"},
    {1058, "E_SETUP_MOUSE"},
    {1059, "E_SETUP_MOUSE_SPEED"},
    {1070, "E_SETUP_MOUSE_INVERT"},
    {1072, "E_SETUP_ANIMATED_MENUS"},
    {1060, "E_SETUP_MENUS_MENUS"},
};

const DialogLabel kAudioLabels[] = {
    {1059, "E_MSG_MENUS_AUDIO"},
    {1066, "E_MSG_MENUS_DRIVER_CHOICE"},
    {1061, "E_MSG_MENUS_VOLUME_SOUND_EFFECTS"},
    {1064, "E_MSG_MENUS_VOLUME_MUSIC"},
    {1068, "E_MSG_MENUS_ENABLE_SOUND"},
    {1075, "E_MSG_MENUS_SOUND_MONOSTEREO"},
    {1072, "E_MSG_MENUS_SOUND_QUALITY"},
};

void AddOnce(std::vector<std::string>& ids, const char* id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end())
        ids.push_back(id);
}

} // namespace

const DialogLabel* PageLabels(int page, size_t& count) {
    switch (page) {
    case 0:
        count = std::size(kDisplayLabels);
        return kDisplayLabels;
    case 1:
        count = std::size(kGameLabels);
        return kGameLabels;
    case 2:
        count = std::size(kAudioLabels);
        return kAudioLabels;
    default:
        count = 0;
        return nullptr;
    }
}

std::vector<std::string> DialogTextIds() {
    std::vector<std::string> ids;
    for (const char* id : kTabTitleIds)
        AddOnce(ids, id);
    AddOnce(ids, kMainLabels[0].textId);
    for (const char* id : kConfigChoiceIds)
        AddOnce(ids, id);
    for (const DialogLabel& label : kMainLabels)
        AddOnce(ids, label.textId);
    for (size_t i = 0; i < kOptionsKeyCount; ++i) {
        const SettingsKey& key = OptionsKeys()[i];
        for (int c = 0; c < key.choiceCount; ++c)
            if (key.choices[c].localized)
                AddOnce(ids, key.choices[c].shown);
    }
    for (int page = 0; page < 3; ++page) {
        size_t count = 0;
        const DialogLabel* labels = PageLabels(page, count);
        for (size_t i = 0; i < count; ++i)
            AddOnce(ids, labels[i].textId);
    }
    return ids;
}
