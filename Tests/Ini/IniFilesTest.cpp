// Load and Save against real files in a temporary working folder; what Save writes for a
// loaded document reads back as that document.
#include <gtest/gtest.h>

#include <filesystem>

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
        const bool loaded =
            doc.Load(row[0].rfind("data/", 0) == 0 ? TEST_DATA + row[0].substr(4) : row[0]);
        EXPECT_EQ(Describe(*Parsed(doc.Serialize())), Describe(doc)) << "written, read back";
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
    // Failures show one box each, the first naming the file, and change nothing.
    doc.SetString("OPTIONS", "LOD", "0", true);
    TempDir::SetReadOnly("Player/Config.ini", true);
    EXPECT_FALSE(doc.Save() || doc.Save("Nowhere\\Config.ini") ||
                 doc.AddSection("OPTIONS")->Save());
    TempDir::SetReadOnly("Player/Config.ini", false);
    EXPECT_EQ(TempDir::ReadFile("Player/Config.ini"), saved);
    EXPECT_EQ(boxes.Boxes().size(), 3u);
    const std::string named = "CFileHarvel Error: Player\\Config.ini\n" + FileErrorText(0);
    EXPECT_EQ(boxes.Shown().rfind(named + "(Player\\Config.ini)\n", 0), 0u) << boxes.Shown();
    EXPECT_FALSE(TempDir::Exists("Nowhere") || TempDir::Exists("Player/Config.ini.tmp"));
}

TEST(IniSave, TheFileKeepsItsAttributesPermissionsOtherNamesAndTheProgramsHoldingIt) {
    namespace fs = std::filesystem;
    TempDir dir;
    CIniFile doc;
    doc.SetString("OPTIONS", "LOD", "1", true);
    const char* const config = "Player\\Config.ini";
    const struct {
        DWORD attributes;
        bool link, held; // a second name; another program's handle without delete sharing
    } rows[] = {{FILE_ATTRIBUTE_HIDDEN, false, false},
                {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, true, false},
                {FILE_ATTRIBUTE_NORMAL, false, true},
                {FILE_ATTRIBUTE_HIDDEN, true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        fs::remove_all("Player");
        TempDir::WriteFile("Player/Config.ini", "old");
        fs::permissions("Player/Config.ini",
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        // Unless the marks took, the rest proves nothing about keeping them.
        const DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        ASSERT_TRUE(SetFileAttributesA(config, row.attributes));
        ASSERT_EQ(GetFileAttributesA(config) & marks, row.attributes & marks);
        if (row.link)
            fs::create_hard_link("Player/Config.ini", "Player/Link.ini");
        HANDLE held = row.held ? CreateFileA(config, GENERIC_READ, 3, nullptr, 3, 0, nullptr)
                               : INVALID_HANDLE_VALUE;
        const DWORD attributes = GetFileAttributesA(config) | FILE_ATTRIBUTE_ARCHIVE;
        const fs::perms permissions = fs::status("Player/Config.ini").permissions();
        BoxCapture boxes;
        EXPECT_TRUE(doc.Save(config));
        EXPECT_EQ(doc.LastSave().way,
                  row.link || row.held ? IniSaveOutcome::InPlace : IniSaveOutcome::Replaced);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(TempDir::ReadFile("Player/Config.ini"), doc.Serialize());
        EXPECT_EQ(row.link ? TempDir::ReadFile("Player/Link.ini") : "",
                  row.link ? doc.Serialize() : "");
        EXPECT_EQ(GetFileAttributesA(config) | FILE_ATTRIBUTE_ARCHIVE, attributes);
        EXPECT_EQ(fs::status("Player/Config.ini").permissions(), permissions);
        EXPECT_EQ(std::distance(fs::directory_iterator("Player"), {}), row.link ? 2 : 1);
        EXPECT_EQ(boxes.Shown(), "");
    }
}
