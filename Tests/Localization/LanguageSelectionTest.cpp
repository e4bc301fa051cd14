#include "Ini/LanguageSelection.h"

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "Ini/LocalizationTesting.h"
#include "TempDir.h"

namespace {

using Names = std::vector<std::string>;

TEST(LanguageSelection, FirstListedLanguageWithAFolderIsChosen) {
    const std::string french = "0 = \"Francais, French\"\r\n",
                      english = "1 = \"English, English\"\r\n";
    const Names both = {"Francais", "English"};
    const Names bothFolders = {"Data\\Ini\\French", "Data\\Ini\\English"};
    const struct {
        std::string list; // Various.ini
        Names made, names, folders;
        int selected;
    } rows[] = {
        // The folder's letter case differs from the list's.
        {"[LANGUAGES]\r\n" + english + french, {"data/ini/ENGLISH"}, both, bothFolders, 1},
        {"[LANGUAGES]\r\n" + french + english, {}, both, bothFolders, 0},
        {"[LANGUAGES]\r\n" + french + english,
         {"DATA/INI/French", "DATA/INI/English"},
         both,
         bothFolders,
         0},
        {"[LANGUAGES]\r\n0 = \" Old English ,\tOld Eng \"\r\n",
         {},
         {"OldEnglish"},
         {"Data\\Ini\\OldEng"},
         0},
        // Four keys, so 0 to 3 are read: 1 is missing, 3 has one field, 4 is beyond the count.
        {"[LANGUAGES]\r\n0 = \"English, English\"\r\n2 = \"German, German\"\r\n3 = \"Solo\"\r\n"
         "4 = \"French, French\"\r\n",
         {"DATA/INI/French"},
         {"English", "German"},
         {"Data\\Ini\\English", "Data\\Ini\\German"},
         0},
        // An empty folder field never selects the text folder itself.
        {"[LANGUAGES]\r\n0 = \"English, English\"\r\n1 = \"Klingon,,\"\r\n2 = \",German\"\r\n",
         {"DATA/INI"},
         {"English"},
         {"Data\\Ini\\English"},
         0},
        {"[OTHER]\r\n" + french, {}, {}, {}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.list);
        ResetLanguageSelectionForTesting();
        TempDir dir;
        BoxCapture boxes;
        TempDir::WriteFile("DATA/INI/Various.ini", row.list);
        for (const std::string& folder : row.made)
            TempDir::MakeDir(folder);
        SelectLanguage();
        EXPECT_EQ(LanguageNames, row.names);
        EXPECT_EQ(LanguageFolders, row.folders);
        EXPECT_EQ(LanguageCount, static_cast<int>(row.names.size()));
        EXPECT_EQ(SelectedLanguage, row.selected);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}

TEST(LanguageSelection, MissingListWarnsAndLeavesTheEmptyName) {
    ResetLanguageSelectionForTesting();
    TempDir dir;
    TempDir::MakeDir("DATA/INI");
    BoxCapture boxes;
    SelectLanguage();
    ASSERT_FALSE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Boxes().front().caption, "CFileHarvel Error");
    EXPECT_EQ(boxes.Boxes().back().caption, "WARNING");
    EXPECT_EQ(boxes.Boxes().back().text, "Missing language pack");
    EXPECT_EQ(LanguageCount, 0);
    EXPECT_EQ(SelectedLanguage, 0);
    EXPECT_EQ(GetLanguageName(ClampLanguageIndex(SelectedLanguage)), "");
}

TEST(LanguageSelection, ClampKeepsIndexInsideTheList) {
    ResetLanguageSelectionForTesting();
    TempDir dir;
    TempDir::WriteFile("DATA/INI/Various.ini", "[LANGUAGES]\r\n0 = \"A, A\"\r\n1 = \"B, B\"\r\n"
                                               "2 = \"C, C\"\r\n3 = \"D, D\"\r\n");
    SelectLanguage();
    EXPECT_EQ(ClampLanguageIndex(-3), 0);
    EXPECT_EQ(ClampLanguageIndex(7), 3);
    EXPECT_EQ(ClampLanguageIndex(2), 2);
    EXPECT_EQ(GetLanguageName(ClampLanguageIndex(7)), "D");
    EXPECT_EQ(GetLanguageName(4), "");
    EXPECT_EQ(GetLanguageName(-1), "");
}

} // namespace
