#include "Ini/LanguageSelection.h"

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "Ini/LocalizationTesting.h"
#include "TempDir.h"

namespace {

class LanguageSelectionTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLanguageSelectionForTesting(); }
    void TearDown() override { ResetLanguageSelectionForTesting(); }

    static void WriteList(const std::string& lines) {
        TempDir::WriteFile("DATA/INI/Various.ini", "[LANGUAGES]\r\n" + lines);
    }

    TempDir dir;
    BoxCapture boxes;
};

TEST_F(LanguageSelectionTest, FirstListedLanguageWithAFolderIsChosenWhateverItsLetterCase) {
    WriteList("1 = \"English, English\"\r\n0 = \"Francais, French\"\r\n");
    TempDir::MakeDir("data/ini/ENGLISH");
    SelectLanguage();
    ASSERT_EQ(LanguageCount, 2);
    EXPECT_EQ(LanguageNames, (std::vector<std::string>{"Francais", "English"}));
    EXPECT_EQ(LanguageFolders,
              (std::vector<std::string>{"Data\\Ini\\French", "Data\\Ini\\English"}));
    EXPECT_EQ(SelectedLanguage, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(LanguageSelectionTest, FirstLanguageIsChosenWhenAllOrNoFoldersExist) {
    WriteList("0 = \"Francais, French\"\r\n1 = \"English, English\"\r\n");
    SelectLanguage();
    EXPECT_EQ(SelectedLanguage, 0);
    TempDir::MakeDir("DATA/INI/French");
    TempDir::MakeDir("DATA/INI/English");
    SelectLanguage();
    EXPECT_EQ(SelectedLanguage, 0);
}

TEST_F(LanguageSelectionTest, BlanksAreRemovedFromNamesAndFolders) {
    WriteList("0 = \" Old English ,\tOld Eng \"\r\n");
    SelectLanguage();
    ASSERT_EQ(LanguageCount, 1);
    EXPECT_EQ(GetLanguageName(0), "OldEnglish");
    EXPECT_EQ(LanguageFolders[0], "Data\\Ini\\OldEng");
}

TEST_F(LanguageSelectionTest, GapsAndEntriesWithoutTwoFieldsAreSkipped) {
    // Four keys: 0 to 3 are read. 1 is missing, 3 has one field, 4 is beyond the count.
    WriteList("0 = \"English, English\"\r\n2 = \"German, German\"\r\n3 = \"Solo\"\r\n"
              "4 = \"French, French\"\r\n");
    TempDir::MakeDir("DATA/INI/French");
    SelectLanguage();
    EXPECT_EQ(LanguageCount, 2);
    EXPECT_EQ(LanguageNames, (std::vector<std::string>{"English", "German"}));
    EXPECT_EQ(SelectedLanguage, 0);
}

TEST_F(LanguageSelectionTest, AnEmptyFolderFieldNeverSelectsTheTextFolderItself) {
    WriteList("0 = \"English, English\"\r\n1 = \"Klingon,,\"\r\n2 = \",German\"\r\n");
    TempDir::MakeDir("DATA/INI");
    SelectLanguage();
    EXPECT_EQ(LanguageNames, (std::vector<std::string>{"English"}));
    EXPECT_EQ(SelectedLanguage, 0);
}

TEST_F(LanguageSelectionTest, MissingListWarnsAndLeavesNoLanguage) {
    TempDir::MakeDir("DATA/INI");
    SelectLanguage();
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().front().caption, "CFileHarvel Error");
    EXPECT_EQ(boxes.Boxes().back().caption, "WARNING");
    EXPECT_EQ(boxes.Boxes().back().text, "Missing language pack");
    EXPECT_EQ(LanguageCount, 0);
    EXPECT_TRUE(LanguageNames.empty());
    EXPECT_EQ(SelectedLanguage, 0);
    EXPECT_EQ(GetLanguageName(ClampLanguageIndex(SelectedLanguage)), "");
}

TEST_F(LanguageSelectionTest, ListWithoutLanguagesSectionGivesNoLanguage) {
    TempDir::WriteFile("DATA/INI/Various.ini", "[OTHER]\r\n0 = \"English, English\"\r\n");
    SelectLanguage();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(LanguageCount, 0);
    EXPECT_EQ(GetLanguageName(0), "");
}

TEST_F(LanguageSelectionTest, ClampKeepsIndexInsideTheList) {
    WriteList("0 = \"A, A\"\r\n1 = \"B, B\"\r\n2 = \"C, C\"\r\n3 = \"D, D\"\r\n");
    SelectLanguage();
    ASSERT_EQ(LanguageCount, 4);
    EXPECT_EQ(ClampLanguageIndex(-3), 0);
    EXPECT_EQ(ClampLanguageIndex(7), 3);
    EXPECT_EQ(ClampLanguageIndex(2), 2);
    EXPECT_EQ(GetLanguageName(ClampLanguageIndex(7)), "D");
    EXPECT_EQ(GetLanguageName(4), "");
    EXPECT_EQ(GetLanguageName(-1), "");
}

} // namespace
