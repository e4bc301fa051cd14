// Attributes, existence and deletion.
#include "HarvelTestSupport.h"

TEST_F(HarvelTest, GetAttributeOfAMissingPathReturnsZeroAndLeavesTheValue) {
    DWORD value = 77;
    EXPECT_EQ(FileGetAttribute("missing.txt", FILE_ATTR_READONLY, &value), 0);
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(FileGetAttribute("", FILE_ATTR_READONLY, &value), 0);
    EXPECT_EQ(value, 77u);
}

TEST_F(HarvelTest, GetAttributeTellsReadOnlyAndDirectory) {
    TempDir::WriteFile("ro.txt", "x");
    TempDir::SetReadOnly("ro.txt", true);
    TempDir::WriteFile("rw.txt", "x");
    TempDir::MakeDir("Folder");
    DWORD value = 77;
    EXPECT_EQ(FileGetAttribute("ro.txt", FILE_ATTR_READONLY, &value), 1);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(FileGetAttribute("rw.txt", FILE_ATTR_READONLY, &value), 1);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(FileGetAttribute("Folder", FILE_ATTR_DIRECTORY, &value), 1);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(FileGetAttribute("rw.txt", FILE_ATTR_DIRECTORY, &value), 1);
    EXPECT_EQ(value, 0u);
}

TEST_F(HarvelTest, GetAttributeWithAnotherWhichReturnsZeroAndLeavesTheValue) {
    TempDir::WriteFile("rw.txt", "x");
    DWORD value = 77;
    EXPECT_EQ(FileGetAttribute("rw.txt", 3, &value), 0);
    EXPECT_EQ(FileGetAttribute("rw.txt", 0, &value), 0);
    EXPECT_EQ(value, 77u);
}

TEST_F(HarvelTest, SetAttributesChangesTheReadOnlyAttribute) {
    TempDir::WriteFile("f.txt", "x");
    EXPECT_NE(FileSetAttributes("f.txt", FILE_ATTR_READONLY, 1), 0);
    EXPECT_TRUE(TempDir::IsReadOnly("f.txt"));
    EXPECT_NE(FileSetAttributes("f.txt", FILE_ATTR_READONLY, 0), 0);
    EXPECT_FALSE(TempDir::IsReadOnly("f.txt"));
    EXPECT_EQ(TempDir::ReadFile("f.txt"), "x");
}

TEST_F(HarvelTest, SetAttributesWithNothingToChangeReturnsOne) {
    TempDir::WriteFile("rw.txt", "x");
    EXPECT_EQ(FileSetAttributes("rw.txt", FILE_ATTR_READONLY, 0), 1);
    EXPECT_FALSE(TempDir::IsReadOnly("rw.txt"));
    TempDir::SetReadOnly("rw.txt", true);
    EXPECT_EQ(FileSetAttributes("rw.txt", FILE_ATTR_READONLY, 1), 1);
    EXPECT_TRUE(TempDir::IsReadOnly("rw.txt"));
}

TEST_F(HarvelTest, SetAttributesOnAMissingPathOrWithoutAKnownBitReturnsZero) {
    TempDir::WriteFile("rw.txt", "x");
    EXPECT_EQ(FileSetAttributes("missing.txt", FILE_ATTR_READONLY, 1), 0);
    EXPECT_EQ(FileSetAttributes("rw.txt", 0, 1), 0);
    EXPECT_EQ(FileSetAttributes("rw.txt", 4, 1), 0);
    EXPECT_FALSE(TempDir::IsReadOnly("rw.txt"));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, ExistsFindsFilesFoldersAndPatterns) {
    TempDir::MakeDir("Data/Ini/English");
    TempDir::WriteFile("Data/Ini/English/Strings.ini", "x");
    EXPECT_EQ(FileExists("Data"), 1);
    EXPECT_EQ(FileExists("Data\\Ini\\English"), 1);
    EXPECT_EQ(FileExists("Data\\Ini\\English\\Strings.ini"), 1);
    EXPECT_EQ(FileExists("Data\\Ini\\English\\*.ini"), 1);
    EXPECT_EQ(FileExists("Data\\Ini\\English\\*.txt"), 0);
    EXPECT_EQ(FileExists("Data\\Ini\\Klingon"), 0);
    EXPECT_EQ(FileExists("missing.txt"), 0);
    EXPECT_EQ(FileExists(""), 0);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, DeleteRemovesAFile) {
    TempDir::WriteFile("old.txt", "x");
    EXPECT_EQ(FileDelete("old.txt"), 1);
    EXPECT_FALSE(TempDir::Exists("old.txt"));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, DeleteOfAMissingFileShowsErrorSevenAndReturnsZero) {
    EXPECT_EQ(FileDelete("missing.txt"), 0);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Box(0).caption, kCaption);
    EXPECT_EQ(Box(0).style, kBoxStyle);
    std::string expected = std::string(kDeleteFailed) + "\n" +
                           "WIN ERROR MESSAGE: " + SystemSentence(ERROR_FILE_NOT_FOUND) + "voir: ";
    EXPECT_TRUE(StartsWith(Box(0).text, expected)) << Box(0).text;
    EXPECT_TRUE(EndsWithSourcePosition(Box(0).text, "CFileHarvel_WIN.cpp"));
}
