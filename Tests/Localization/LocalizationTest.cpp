#include "Ini/Localization.h"

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "FatalExitCode.h"
#include "Ini/CIniFile.h"
#include "Ini/LanguageSelection.h"
#include "Ini/LocalizationTesting.h"
#include "TempDir.h"

namespace {

const char* const kTexts = "[E_SETUP_APPLY]\r\nEnglish = \"Apply\"\r\nfrench = \"Appliquer\"\r\n"
                           "[E_PERCENT]\r\nFrench = \"100%%\"\r\n"
                           "English = \"100%% sure, 50% odd, %d left, %s and %n\"\r\n"
                           "[E_UNITS]\r\nEnglish = \"%d units\"\r\nFrench = \"%d unit\xE9s\"\r\n";

class LocalizationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLocalizationForTesting();
        ResetLanguageSelectionForTesting();
    }

    // Loads `texts` as the text file and makes `language` current, as start-up does.
    void Start(const std::string& texts, const std::string& language) {
        TempDir::WriteFile("DATA/INI/LocalizedStrings.ini", texts);
        ASSERT_TRUE(document.Load("DATA\\INI\\LocalizedStrings.ini"));
        CreateLocalization();
        RegisterLocalizationSource("GAME", &document);
        SetLanguage(language);
    }

    TempDir dir;
    BoxCapture boxes;
    CIniFile document;
};

TEST_F(LocalizationTest, TextComesFromTheCurrentLanguageAndUnknownIdentifiersShowThemselves) {
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "E_SETUP_APPLY"); // before any localization
    Start(kTexts, "French");
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "Appliquer"); // the key "french" matches
    EXPECT_EQ(Localize("GAME", "E_UNITS"), "%d unit\xE9s");
    EXPECT_EQ(SetLanguage("English"), "French");
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "Apply");
    EXPECT_EQ(Localize("GAME", "e_setup_apply"), "e_setup_apply");
    EXPECT_EQ(Localize("GAME", "E_NOT_THERE"), "E_NOT_THERE");
    EXPECT_EQ(Localize("GAME", "E_NOT_THERE"), "E_NOT_THERE");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(LocalizationTest, WithoutArgumentsOnlyDoublePercentIsExpanded) {
    Start(kTexts, "English");
    EXPECT_EQ(Localize("GAME", "E_PERCENT"), "100% sure, 50% odd, %d left, %s and %n");
    EXPECT_EQ(Localize("GAME", "%s%n%%"), "%s%n%");
    EXPECT_EQ(LocalizeFormat("GAME", "E_UNITS", 12), "12 units");
    EXPECT_EQ(LocalizeFormat("GAME", "E_UNKNOWN_%d", 3), "E_UNKNOWN_3");
    SetLanguage("French");
    EXPECT_EQ(Localize("GAME", "E_PERCENT"), "100%");
    ResetLocalizationForTesting();
    EXPECT_EQ(Localize("GAME", "%s%n%%"), "%s%n%");
}

TEST_F(LocalizationTest, EachSectionLackingTheLanguageWarnsOnceWhenThePackIsBuilt) {
    for (const char* language : {"German", ""}) {
        SCOPED_TRACE(language);
        Start(kTexts, language);
        ASSERT_EQ(boxes.Boxes().size(), 3u);
        for (const CapturedBox& box : boxes.Boxes()) {
            EXPECT_EQ(box.caption, "WARNING");
            EXPECT_EQ(box.text, "Error: Unable to locate specified key");
        }
        boxes.Clear();
        EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "__INI_ERROR__");
        EXPECT_EQ(Localize("GAME", "E_OTHER"), "E_OTHER");
        EXPECT_TRUE(boxes.Boxes().empty());
        ResetLocalizationForTesting();
    }
}

TEST_F(LocalizationTest, SelectedLanguageReadsItsOwnKeyOfEachTopLevelSection) {
    TempDir::WriteFile("DATA/INI/Various.ini",
                       "[LANGUAGES]\r\n0 = \"Francais, French\"\r\n1 = \"English, English\"\r\n");
    TempDir::MakeDir("DATA/INI/English");
    SelectLanguage();
    Start("TOP = \"x\"\r\n[E_SETUP_APPLY]\r\nFrancais = \"Appliquer\"\r\nENGLISH = \"Apply\"\r\n"
          "[E_SETUP_APPLY/E_B]\r\nEnglish = \"b\"\r\n",
          GetLanguageName(ClampLanguageIndex(SelectedLanguage)));
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "Apply");
    EXPECT_EQ(Localize("GAME", "E_B"), "E_B");
    EXPECT_EQ(Localize("GAME", "TOP"), "TOP");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(LocalizationTest, ReplacingASourceDropsItsOldPacks) {
    Start(kTexts, "English");
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "Apply");
    CIniFile other;
    const std::string bytes = "[E_SETUP_APPLY]\r\nEnglish = \"Go\"\r\n";
    other.Parse(bytes.data(), bytes.size());
    RegisterLocalizationSource("GAME", &other);
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "Go");
    RegisterLocalizationSource("GAME", nullptr);
    EXPECT_EQ(Localize("GAME", "E_SETUP_APPLY"), "Go");
}

using LocalizationDeathTest = LocalizationTest;

TEST_F(LocalizationDeathTest, UnregisteredSourceEndsTheProgram) {
    Start(kTexts, "English");
    EXPECT_EXIT(
        {
            BoxCapture echo(true);
            Localize("MENU", "E_SETUP_APPLY");
        },
        ::testing::ExitedWithCode(kFatalExitCode), "box 1 ERROR: Localization pack not found");
}

} // namespace
