// The sample game folder: start-up steps of the configurator run in a copy of it.
#include <gtest/gtest.h>

#include <filesystem>

#include "BoxCapture.h"
#include "Ini/CIniFile.h"
#include "Ini/LanguageSelection.h"
#include "Ini/Localization.h"
#include "Ini/LocalizationTesting.h"
#include "Setup/CSetupApp.h"
#include "TempDir.h"

namespace {

// Every identifier the dialog, its pages and the value lists ask for.
const char* const kIdentifiers[] = {
    "E_SETUP_3D_OPTIONS", "E_SETUP_GAME_OPTIONS", "E_MSG_MENUS_AUDIO", "E_SETUP_CONFIG_CHOICE",
    "E_SETUP_CONFIG_USER", "E_SETUP_CONFIG_BEST_PERFORMANCE", "E_SETUP_CONFIG_BEST_QUALITY",
    "E_SETUP_APPLY", "E_SETUP_CANCEL", "E_SETUP_LOW", "E_SETUP_MEDIUM", "E_SETUP_HIGH",
    "E_MSG_MENUS_SOUND_MONO", "E_MSG_MENUS_SOUND_STEREO",
    // Display page.
    "E_SETUP_SCREEN", "E_SETUP_SCREEN_RESOLUTION", "E_SETUP_SCREEN_BIT_DEPTH", "E_SETUP_SEA",
    "E_SETUP_SEA_QUALITY", "E_SETUP_SEA_ANIMATED", "E_SETUP_SKY", "E_SETUP_SKY_QUALITY",
    "E_SETUP_SKY_ANIMATED", "E_SETUP_LANDSCAPE", "E_SETUP_LANDSCAPE_DETAILS", "E_SETUP_FOREST",
    "E_SETUP_FOREST_DENSITY", "E_SETUP_FOREST_LOADING_SPEED", "E_SETUP_FOREST_ANIMATED",
    "E_SETUP_EFFECTS", "E_SETUP_EFFECTS_SHADOWS", "E_SETUP_MISC", "E_SETUP_MISC_LOD",
    "E_SETUP_MISC_FAR", "E_SETUP_MISC_METEO",
    // Game page.
    "E_SETUP_CORPSES", "E_SETUP_CORPSES_DURATION", "E_SETUP_CORPSES_MAX_NUMBER", "E_SETUP_MOUSE",
    "E_SETUP_MOUSE_SPEED", "E_SETUP_MOUSE_INVERT", "E_SETUP_MENUS_MENUS", "E_SETUP_ANIMATED_MENUS",
    // Audio page.
    "E_MSG_MENUS_VOLUME_SOUND_EFFECTS", "E_MSG_MENUS_VOLUME_MUSIC", "E_MSG_MENUS_DRIVER_CHOICE",
    "E_MSG_MENUS_ENABLE_SOUND", "E_MSG_MENUS_SOUND_QUALITY", "E_MSG_MENUS_SOUND_MONOSTEREO"};

class TestApp : public CSetupApp {
public:
    TestApp() = default;
};

class SampleGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLocalizationForTesting();
        ResetLanguageSelectionForTesting();
        std::filesystem::copy(VELMARK_SOURCE_ROOT "/SampleGame", ".",
                              std::filesystem::copy_options::recursive);
    }

    // The localization steps of start-up.
    void StartLocalization() {
        ASSERT_TRUE(texts.Load("DATA\\INI\\LocalizedStrings.ini"));
        SelectLanguage();
        CreateLocalization();
        RegisterLocalizationSource("GAME", &texts);
        SetLanguage(GetLanguageName(ClampLanguageIndex(SelectedLanguage)));
    }

    TempDir dir;
    BoxCapture boxes;
    CIniFile texts;
};

TEST_F(SampleGameTest, EnglishIsChosenAndEveryTextExists) {
    StartLocalization();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(LanguageNames, (std::vector<std::string>{"English", "French", "German"}));
    EXPECT_EQ(SelectedLanguage, 0);
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "Apply");
    for (const char* language : {"English", "French", "German"}) {
        SetLanguage(language);
        for (const char* id : kIdentifiers) {
            const std::string text = Localize("GAME", id);
            EXPECT_NE(text, id) << language;
            EXPECT_NE(text, "__INI_ERROR__") << language << " " << id;
            EXPECT_FALSE(text.empty()) << language << " " << id;
        }
    }
    // Windows-1252 bytes.
    SetLanguage("French");
    EXPECT_EQ(Localize("GAME", "E_SETUP_SEA_QUALITY"), "Qualit\xE9");
    SetLanguage("German");
    EXPECT_EQ(Localize("GAME", "E_SETUP_MENUS_MENUS"), "Men\xFCs");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SampleGameTest, LanguageFolderDecidesTheLanguage) {
    std::filesystem::remove_all("DATA/INI/English");
    StartLocalization();
    EXPECT_EQ(SelectedLanguage, 1);
    EXPECT_EQ(Localize("GAME", "E_SETUP_CANCEL"), "Quitter");
}

TEST_F(SampleGameTest, FirstStartWritesTheSettingsAndListsShowTheLanguage) {
    StartLocalization();
    SetLanguage("French");
    TestApp app;
    ASSERT_EQ(boxes.Boxes().size(), 1u); // the failed open of the missing settings file
    EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
    EXPECT_TRUE(TempDir::Exists("Player/Config.ini"));
    std::string text;
    app.ChoiceDisplayAt(1005, 2, text);
    EXPECT_EQ(text, "Haute");
    app.ChoiceDisplayAt(1074, 1, text);
    EXPECT_EQ(text, "St\xE9r\xE9o");
}

} // namespace
