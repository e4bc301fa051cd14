// Language selection at start-up, and the texts Localize gives in the chosen language.
#include "Ini/Localization.h"

#include <gtest/gtest.h>
#include <sstream>

#include "BoxCapture.h"
#include "FatalExitCode.h"
#include "Ini/CIniFile.h"
#include "Ini/LanguageSelection.h"
#include "Ini/LocalizationTesting.h"
#include "TempDir.h"

TEST(LanguageSelection, FirstLanguageInKeyOrderWithAFolderIsChosen) {
    ExpectEachRow(TEST_DATA "/languages.txt", [](const Row& row) {
        ResetLanguageSelectionForTesting();
        TempDir dir;
        BoxCapture boxes;
        TempDir::WriteFile("DATA/INI/Various.ini", row[0]);
        std::istringstream made(row[1]);
        for (std::string folder; made >> folder;)
            TempDir::MakeDir(folder);
        SelectLanguage();
        std::string result;
        for (size_t i = 0; i < LanguageNames.size(); ++i)
            result += LanguageNames[i] + " " + LanguageFolders[i] + "|";
        EXPECT_EQ(LanguageCount, static_cast<int>(LanguageNames.size()));
        result += " clamped";
        for (int index : {-3, 0, 7})
            result += " " + GetLanguageName(ClampLanguageIndex(index));
        return result + " selected " + std::to_string(SelectedLanguage) + "|" + boxes.Shown();
    });
    ResetLanguageSelectionForTesting();
}

// Registers the text file and makes `language` current, as start-up does.
void Start(CIniFile& texts, const std::string& language) {
    ResetLocalizationForTesting();
    ASSERT_TRUE(texts.Load(TEST_DATA "/LocalizedStrings.ini"));
    CreateLocalization();
    RegisterLocalizationSource("GAME", &texts);
    SetLanguage(language);
}

TEST(Localization, TextsComeFromTheCurrentLanguageAndUnknownIdentifiersShowThemselves) {
    CIniFile texts, other;
    BoxCapture boxes;
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "E_SETUP_APPLY"); // before any localization
    Start(texts, "French");
    EXPECT_EQ(SetLanguage("English"), "French");
    EXPECT_EQ(LocalizeFormat("GAME", "E_UNITS", 12), "12 units");
    EXPECT_EQ(LocalizeFormat("GAME", "E_UNKNOWN_%d", 3), "E_UNKNOWN_3");
    // A document registered again under the name replaces the packs built from the old one.
    other.Parse("[E_SETUP_APPLY]\nEnglish = Go\n", 29);
    RegisterLocalizationSource("GAME", &other);
    RegisterLocalizationSource("GAME", nullptr);
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY") + boxes.Shown(), "Go");
    ExpectEachRow(TEST_DATA "/texts.txt", [&](const Row& row) {
        boxes.Clear();
        Start(texts, row[0]); // builds the packs of the language
        const std::string built = boxes.Shown(), first = Localize("GAME", row[1]);
        return built + "|" + first + "|" + Localize("GAME", row[1]) + "|" + boxes.Shown();
    });
    BoxCapture echo(true);
    EXPECT_EXIT(Localize("MENU", "E_SETUP_APPLY"), ::testing::ExitedWithCode(kFatalExitCode),
                "box 1 ERROR: Localization pack not found");
    ResetLocalizationForTesting();
}
