// Load and Save against real files in a temporary working folder.
#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "TempDir.h"

TEST(IniLoad, FilesGiveTheseDocumentsOrTheseErrors) {
    TempDir dir;
    TempDir::WriteFile("Player/Config.ini", "[options]\r\nlod = \"1\"\r\n");
    TempDir::WriteFile("Dir.ini/keep.txt", "kept");
    CIniFile doc;
    ExpectEachRow(TEST_DATA "/files.txt", [&doc](const Row& row) {
        BoxCapture boxes;
        const bool data = row[0].compare(0, 5, "data/") == 0;
        const bool loaded = doc.Load(data ? TEST_DATA + row[0].substr(4) : row[0]);
        return Describe(doc) + (loaded ? "" : " refused: " + doc.GetLastErrorText()) + " " +
               std::to_string(boxes.Boxes().size()) + " boxes";
    });
    EXPECT_EQ(TempDir::ReadFile("Player/New.ini") + TempDir::ReadFile("Dir.ini/keep.txt"), "kept");
    EXPECT_FALSE(TempDir::Exists("Nowhere"));
}

TEST(IniSave, WritesTheExactTextOrFailsNamingTheTargetAndChangesNothing) {
    TempDir dir;
    TempDir::WriteFile("Player/Config.ini", "[options]\nlod=0\n;" + std::string(5000, 'x'));
    TempDir::WriteFile("empty.ini", "old content");
    CIniFile doc;
    ASSERT_TRUE(doc.Load("Player\\Config.ini"));
    doc.SetString("OPTIONS", "LOD", "1", true);
    doc.SetString("OPTIONS", "BITDEPTH", "32", true);
    BoxCapture boxes;
    EXPECT_TRUE(doc.Save()); // to the loaded file
    EXPECT_TRUE(CIniFile().Save("empty.ini"));
    const std::string saved = "\r\n[OPTIONS]\r\n\r\n\tBITDEPTH = \"32\"\r\n\tLOD      = \"1\"\r\n";
    EXPECT_EQ(TempDir::ReadFile("Player/Config.ini") + TempDir::ReadFile("empty.ini"), saved);
    EXPECT_EQ(boxes.Shown(), "");
    EXPECT_FALSE(doc.Save("Nowhere\\Config.ini"));
    EXPECT_FALSE(doc.AddSection("OPTIONS")->Save()); // a section has no file name
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    boxes.Clear();
    TempDir::SetReadOnly("Player/Config.ini", true);
    EXPECT_FALSE(Parsed("[OPTIONS]\nLOD = 0\n")->Save("Player\\Config.ini"));
    TempDir::SetReadOnly("Player/Config.ini", false);
    EXPECT_EQ(TempDir::ReadFile("Player/Config.ini"), saved);
    // One box, naming the file, then the open failure's text.
    EXPECT_EQ(boxes.Shown().rfind("CFileHarvel Error: Player\\Config.ini\n" + FileErrorText(0) +
                                  "(Player\\Config.ini)\n"),
              0u);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_FALSE(TempDir::Exists("Nowhere") || TempDir::Exists("Player/Config.ini.tmp"));
}
