// Load and Save against real files in a temporary working folder.
#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "TempDir.h"

namespace {

const char* const kConfig = "Player\\Config.ini";
const char* const kConfigSlash = "Player/Config.ini";
const std::string kExample = "\r\n[OPTIONS]\r\n\r\n\tBITDEPTH = \"32\"\r\n\tLOD      = \"1\"\r\n";

// The start of the file object's box for an open failure of `path`.
std::string OpenFailureStart(const std::string& path) {
    return path + "\n" + FileErrorText(0) + "(" + path + ")\n";
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

void FillExample(CIniFile& doc) {
    doc.SetString("OPTIONS", "LOD", "1", true);
    doc.SetString("OPTIONS", "BITDEPTH", "32", true);
}

} // namespace

TEST(IniLoad, ReadsAFileWithItsSectionsAndKeys) {
    TempDir dir;
    TempDir::WriteFile(kConfigSlash, "[options]\r\nlod = \"1\"\r\n");
    CIniFile doc;
    EXPECT_TRUE(doc.Load(kConfig));
    EXPECT_EQ(ValueAt(doc, "OPTIONS", "LOD"), "1");
    EXPECT_EQ(doc.GetName(), kConfig);
    EXPECT_EQ(doc.GetLastErrorText(), "");
}

TEST(IniLoad, MissingFileIsCreatedEmptyAndReported) {
    TempDir dir;
    TempDir::MakeDir("Player");
    CIniFile doc;
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load(kConfig));
    EXPECT_EQ(doc.GetLastErrorText(), "Error: Unable to load ini file : Player\\Config.ini");
    EXPECT_TRUE(TempDir::Exists(kConfigSlash));
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), "");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
    EXPECT_TRUE(StartsWith(boxes.Boxes()[0].text, OpenFailureStart(kConfig)));
}

TEST(IniLoad, MissingFolderIsReportedAndNothingIsCreated) {
    TempDir dir;
    CIniFile doc;
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load(kConfig));
    EXPECT_EQ(doc.GetLastErrorText(),
              "Error: Unable to create ini file (wrong folder?) : Player\\Config.ini");
    EXPECT_FALSE(TempDir::Exists("Player"));
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST(IniLoad, PathThatCannotBeReadIsNeverRecreated) {
    TempDir dir;
    TempDir::MakeDir("Player/Config.ini");
    TempDir::WriteFile("Player/Config.ini/keep.txt", "kept");
    CIniFile doc;
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load(kConfig));
    EXPECT_EQ(doc.GetLastErrorText(), "Error: Unable to load ini file : Player\\Config.ini");
    EXPECT_EQ(TempDir::ReadFile("Player/Config.ini/keep.txt"), "kept");
}

TEST(IniLoad, EmptyFileFailsAndKeepsTheLastErrorText) {
    TempDir dir;
    TempDir::MakeDir("Player");
    CIniFile doc;
    {
        BoxCapture boxes;
        doc.Load("Player\\Missing.ini");
    }
    const std::string before = doc.GetLastErrorText();
    ASSERT_FALSE(before.empty());
    TempDir::WriteFile(kConfigSlash, "");
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load(kConfig));
    EXPECT_EQ(doc.GetLastErrorText(), before);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(IniLoad, LoadingAgainReplacesTheContent) {
    TempDir dir;
    TempDir::WriteFile("a.ini", "[A]\nX=1\n");
    TempDir::WriteFile("b.ini", "[B]\nY=2\n");
    CIniFile doc;
    ASSERT_TRUE(doc.Load("a.ini"));
    ASSERT_TRUE(doc.Load("b.ini"));
    EXPECT_EQ(doc.FindSection("A"), nullptr);
    EXPECT_EQ(ValueAt(doc, "B", "Y"), "2");
    EXPECT_EQ(doc.GetName(), "b.ini");
}

TEST(IniLoad, FailedLoadLeavesTheDocumentEmpty) {
    TempDir dir;
    TempDir::WriteFile("a.ini", "[A]\nX=1\n");
    CIniFile doc;
    ASSERT_TRUE(doc.Load("a.ini"));
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load("Nowhere\\b.ini"));
    EXPECT_TRUE(doc.Sections().empty());
    EXPECT_TRUE(doc.Keys().empty());
}

TEST(IniLoad, MalformedFilesLoseNothingAroundTheFault) {
    CIniFile doc;
    ASSERT_TRUE(doc.Load(DataFile("unterminated_quote.ini")));
    EXPECT_EQ(ValueAt(doc, "A", "KEY"), "never closed\nNEXT = 1\n[B]\nX = 2");
    EXPECT_EQ(doc.FindSection("B"), nullptr);

    ASSERT_TRUE(doc.Load(DataFile("nul_bytes.ini")));
    EXPECT_EQ(ValueOf(&doc, "A"), "1");
    EXPECT_EQ(ValueOf(&doc, "B"), "2");
    EXPECT_EQ(ValueOf(&doc, "C"), "3");

    ASSERT_TRUE(doc.Load(DataFile("lone_cr_line_ends.ini")));
    EXPECT_EQ(ValueAt(doc, "S", "A"), "1");
    EXPECT_EQ(ValueAt(doc, "S", "B"), "2");

    ASSERT_TRUE(doc.Load(DataFile("line_without_equals.ini")));
    EXPECT_EQ(ValueOf(&doc, "A"), "1");
    EXPECT_EQ(ValueOf(&doc, "B"), "2");

    ASSERT_TRUE(doc.Load(DataFile("one_quote.ini")));
    EXPECT_TRUE(doc.Keys().empty());
}

TEST(IniLoad, OnlyCommentsLoadsAsAnEmptyDocument) {
    CIniFile doc;
    EXPECT_TRUE(doc.Load(DataFile("only_comments.ini")));
    EXPECT_TRUE(doc.Keys().empty());
    EXPECT_TRUE(doc.Sections().empty());
}

TEST(IniLoad, EmptyDataFileIsRefused) {
    CIniFile doc;
    EXPECT_FALSE(doc.Load(DataFile("empty.ini")));
    EXPECT_EQ(doc.GetLastErrorText(), "");
}

TEST(IniSave, WritesTheExactTextAndLeavesNoTemporaryFile) {
    TempDir dir;
    TempDir::MakeDir("Player");
    CIniFile doc;
    FillExample(doc);
    BoxCapture boxes;
    EXPECT_TRUE(doc.Save(kConfig));
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kExample);
    EXPECT_FALSE(TempDir::Exists("Player/Config.ini.tmp"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(IniSave, ReplacesALongerFileWhole) {
    TempDir dir;
    TempDir::WriteFile(kConfigSlash, std::string(5000, 'x'));
    CIniFile doc;
    FillExample(doc);
    EXPECT_TRUE(doc.Save(kConfig));
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kExample);
}

TEST(IniSave, EmptyPathSavesToTheLoadedFile) {
    TempDir dir;
    TempDir::WriteFile(kConfigSlash, "[options]\nlod=0\n");
    CIniFile doc;
    ASSERT_TRUE(doc.Load(kConfig));
    doc.SetString("OPTIONS", "LOD", "1", true);
    doc.SetString("OPTIONS", "BITDEPTH", "32", true);
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kExample);
}

TEST(IniSave, EmptyDocumentIsSavedAsZeroBytesThatLoadRefuses) {
    TempDir dir;
    TempDir::WriteFile("empty.ini", "old content");
    CIniFile doc;
    EXPECT_TRUE(doc.Save("empty.ini"));
    EXPECT_EQ(TempDir::ReadFile("empty.ini"), "");
    CIniFile again;
    EXPECT_FALSE(again.Load("empty.ini"));
}

TEST(IniSave, SavedFileLoadsBackTheSameValues) {
    TempDir dir;
    CIniFile doc;
    doc.SetString("Options", "Width", "800", true);
    doc.SetFloat("OPTIONS", "SIZE", 6.6f, true);
    doc.SetString("PLAYER", "NAME", " Bob ", true);
    ASSERT_TRUE(doc.Save("round.ini"));
    CIniFile again;
    ASSERT_TRUE(again.Load("round.ini"));
    EXPECT_EQ(again.FindSection("OPTIONS")->GetInt("WIDTH"), 800);
    EXPECT_EQ(ValueAt(again, "OPTIONS", "SIZE"), "6.600000");
    EXPECT_EQ(ValueAt(again, "PLAYER", "NAME"), " Bob ");
}

TEST(IniSave, ReadOnlyTargetFailsNamingItAndKeepsItsBytes) {
    TempDir dir;
    const std::string old = "\r\n[OPTIONS]\r\n\r\n\tLOD = \"0\"\r\n";
    TempDir::WriteFile(kConfigSlash, old);
    TempDir::SetReadOnly(kConfigSlash, true);
    CIniFile doc;
    FillExample(doc);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    TempDir::SetReadOnly(kConfigSlash, false);
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), old);
    EXPECT_FALSE(TempDir::Exists("Player/Config.ini.tmp"));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
    EXPECT_TRUE(StartsWith(boxes.Boxes()[0].text, OpenFailureStart(kConfig)))
        << boxes.Boxes()[0].text;
}

TEST(IniSave, MissingFolderFailsNamingTheTargetAndCreatesNothing) {
    TempDir dir;
    CIniFile doc;
    FillExample(doc);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    EXPECT_FALSE(TempDir::Exists("Player"));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_TRUE(StartsWith(boxes.Boxes()[0].text, OpenFailureStart(kConfig)));
}

TEST(IniSave, SectionWithoutFileNameFailsWithABox) {
    TempDir dir;
    CIniFile doc;
    CIniFile* options = doc.AddSection("OPTIONS");
    BoxCapture boxes;
    EXPECT_FALSE(options->Save());
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}
