// Load and Save against real files in a temporary working folder.
#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "TempDir.h"

namespace {

const char* const kConfig = "Player\\Config.ini";
const char* const kConfigSlash = "Player/Config.ini";

// The box of a failed open of the settings file (its system text follows).
std::string OpenFailureBox() {
    return std::string("CFileHarvel Error: ") + kConfig + "\n" + FileErrorText(0) + "(" + kConfig +
           ")\n";
}

std::string Loaded(CIniFile& doc, const std::string& path) {
    return doc.Load(path) ? Describe(doc) : "refused: " + doc.GetLastErrorText();
}

} // namespace

TEST(IniLoad, FilesGiveTheseDocuments) {
    for (const auto& row : ReadTable(TEST_DATA "/files.txt")) {
        CIniFile doc;
        EXPECT_EQ(Loaded(doc, TEST_DATA "/" + row[0]), row[1]) << row[0];
    }
}

TEST(IniLoad, EachLoadReplacesTheDocumentAndAFailedOneSaysWhy) {
    TempDir dir;
    TempDir::WriteFile(kConfigSlash, "[options]\r\nlod = \"1\"\r\n");
    TempDir::WriteFile("b.ini", "[B]\nY=2\n");
    TempDir::WriteFile("Dir.ini/keep.txt", "kept");
    CIniFile doc;
    EXPECT_EQ(Loaded(doc, kConfig), "[OPTIONS]{LOD=1|}");
    EXPECT_EQ(doc.GetName(), kConfig);
    EXPECT_EQ(Loaded(doc, "b.ini"), "[B]{Y=2|}");
    BoxCapture boxes;
    // A missing file is created empty where its folder exists; an empty file is refused
    // without a box and leaves the error text as it was.
    EXPECT_EQ(Loaded(doc, "Player\\New.ini"),
              "refused: Error: Unable to load ini file : Player\\New.ini");
    EXPECT_EQ(Describe(doc), "");
    EXPECT_EQ(TempDir::ReadFile("Player/New.ini"), "");
    const std::string noFolder =
        "refused: Error: Unable to create ini file (wrong folder?) : Nowhere\\b.ini";
    EXPECT_EQ(Loaded(doc, "Nowhere\\b.ini"), noFolder);
    EXPECT_FALSE(TempDir::Exists("Nowhere"));
    EXPECT_EQ(Loaded(doc, "Player\\New.ini"), noFolder);
    EXPECT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_EQ(Loaded(doc, "Dir.ini"), "refused: Error: Unable to load ini file : Dir.ini");
    EXPECT_EQ(TempDir::ReadFile("Dir.ini/keep.txt"), "kept");
}

TEST(IniSave, WritesTheExactTextOrFailsNamingTheTargetAndChangesNothing) {
    TempDir dir;
    TempDir::WriteFile(kConfigSlash, "[options]\nlod=0\n;" + std::string(5000, 'x'));
    TempDir::WriteFile("empty.ini", "old content");
    CIniFile doc;
    ASSERT_TRUE(doc.Load(kConfig));
    doc.SetString("OPTIONS", "LOD", "1", true);
    doc.SetString("OPTIONS", "BITDEPTH", "32", true);
    BoxCapture boxes;
    EXPECT_TRUE(doc.Save()); // to the loaded file
    const std::string saved = "\r\n[OPTIONS]\r\n\r\n\tBITDEPTH = \"32\"\r\n\tLOD      = \"1\"\r\n";
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), saved);
    EXPECT_TRUE(CIniFile().Save("empty.ini"));
    EXPECT_EQ(TempDir::ReadFile("empty.ini"), "");
    EXPECT_EQ(boxes.Shown(), "");

    EXPECT_FALSE(doc.Save("Nowhere\\Config.ini"));
    EXPECT_FALSE(TempDir::Exists("Nowhere"));
    EXPECT_FALSE(doc.AddSection("OPTIONS")->Save()); // a section has no file name
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    boxes.Clear();
    TempDir::SetReadOnly(kConfigSlash, true);
    EXPECT_FALSE(Parsed("[OPTIONS]\nLOD = 0\n")->Save(kConfig));
    TempDir::SetReadOnly(kConfigSlash, false);
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), saved);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Shown().compare(0, OpenFailureBox().size(), OpenFailureBox()), 0)
        << boxes.Shown();
    EXPECT_FALSE(TempDir::Exists("Player/Config.ini.tmp"));
}
