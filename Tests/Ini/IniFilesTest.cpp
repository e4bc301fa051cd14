// Load and Save against real files in a temporary working folder.
#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "TempDir.h"

namespace {

const char* const kConfig = "Player\\Config.ini";
const char* const kConfigSlash = "Player/Config.ini";
const std::string kExample = "\r\n[OPTIONS]\r\n\r\n\tBITDEPTH = \"32\"\r\n\tLOD      = \"1\"\r\n";

// One file-object box whose text starts as the open failure of the settings file.
void ExpectOpenFailureBox(const BoxCapture& boxes) {
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
    const std::string start =
        std::string(kConfig) + "\n" + FileErrorText(0) + "(" + kConfig + ")\n";
    EXPECT_EQ(boxes.Boxes()[0].text.compare(0, start.size(), start), 0) << boxes.Boxes()[0].text;
}

std::unique_ptr<CIniFile> Example() {
    return Parsed("[OPTIONS]\nLOD = 1\nBITDEPTH = 32\n");
}

} // namespace

TEST(IniLoad, ReadsAFileAndReplacesWhatWasLoadedBefore) {
    TempDir dir;
    TempDir::WriteFile(kConfigSlash, "[options]\r\nlod = \"1\"\r\n");
    TempDir::WriteFile("b.ini", "[B]\nY=2\n");
    CIniFile doc;
    EXPECT_TRUE(doc.Load(kConfig));
    EXPECT_EQ(Describe(doc), "[OPTIONS]{LOD=1|}");
    EXPECT_EQ(doc.GetName(), kConfig);
    EXPECT_EQ(doc.GetLastErrorText(), "");
    ASSERT_TRUE(doc.Load("b.ini"));
    EXPECT_EQ(Describe(doc), "[B]{Y=2|}");
    EXPECT_EQ(doc.GetName(), "b.ini");
    // A failed load leaves the document empty.
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load("Nowhere\\b.ini"));
    EXPECT_EQ(Describe(doc), "");
}

TEST(IniLoad, MissingFileIsCreatedEmptyWhichThenFailsQuietly) {
    TempDir dir;
    TempDir::MakeDir("Player");
    CIniFile doc;
    {
        BoxCapture boxes;
        EXPECT_FALSE(doc.Load(kConfig));
        ExpectOpenFailureBox(boxes);
    }
    const std::string text = "Error: Unable to load ini file : Player\\Config.ini";
    EXPECT_EQ(doc.GetLastErrorText(), text);
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), "");
    // The empty file now fails without a box and keeps the last error text.
    doc.SetString("", "K", "v", true);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load(kConfig));
    EXPECT_EQ(doc.GetLastErrorText(), text);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(IniLoad, MissingFolderOrUnreadablePathIsReportedAndNothingIsCreated) {
    TempDir dir;
    CIniFile doc;
    BoxCapture boxes;
    EXPECT_FALSE(doc.Load(kConfig));
    EXPECT_EQ(doc.GetLastErrorText(),
              "Error: Unable to create ini file (wrong folder?) : Player\\Config.ini");
    EXPECT_FALSE(TempDir::Exists("Player"));
    EXPECT_EQ(boxes.Boxes().size(), 2u);

    TempDir::WriteFile("Player/Config.ini/keep.txt", "kept");
    EXPECT_FALSE(doc.Load(kConfig));
    EXPECT_EQ(doc.GetLastErrorText(), "Error: Unable to load ini file : Player\\Config.ini");
    EXPECT_EQ(TempDir::ReadFile("Player/Config.ini/keep.txt"), "kept");
}

TEST(IniLoad, MalformedFilesLoseNothingAroundTheFault) {
    const struct {
        const char *file, *expected;
    } rows[] = {{"unterminated_quote.ini", "[A]{KEY=never closed\nNEXT = 1\n[B]\nX = 2|}"},
                {"nul_bytes.ini", "A=1|B=2|C=3|"},
                {"lone_cr_line_ends.ini", "[S]{A=1|B=2|}"},
                {"line_without_equals.ini", "A=1|B=2|"},
                {"one_quote.ini", ""},
                {"only_comments.ini", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        CIniFile doc;
        EXPECT_TRUE(doc.Load(std::string(INI_TEST_DATA) + "/" + row.file));
        EXPECT_EQ(Describe(doc), row.expected);
    }
    CIniFile doc;
    EXPECT_FALSE(doc.Load(std::string(INI_TEST_DATA) + "/empty.ini"));
    EXPECT_EQ(doc.GetLastErrorText(), "");
}

TEST(IniSave, WritesTheExactTextWholeAndLeavesNoTemporaryFile) {
    TempDir dir;
    TempDir::WriteFile(kConfigSlash, "[options]\nlod=0\n;" + std::string(5000, 'x'));
    CIniFile doc;
    ASSERT_TRUE(doc.Load(kConfig));
    doc.SetString("OPTIONS", "LOD", "1", true);
    doc.SetString("OPTIONS", "BITDEPTH", "32", true);
    BoxCapture boxes;
    EXPECT_TRUE(doc.Save()); // to the loaded file
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kExample);
    EXPECT_FALSE(TempDir::Exists("Player/Config.ini.tmp"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(IniSave, EmptyDocumentIsSavedAsZeroBytesThatLoadRefuses) {
    TempDir dir;
    TempDir::WriteFile("empty.ini", "old content");
    CIniFile doc;
    EXPECT_TRUE(doc.Save("empty.ini"));
    EXPECT_EQ(TempDir::ReadFile("empty.ini"), "");
    EXPECT_FALSE(doc.Load("empty.ini"));
}

TEST(IniSave, UnwritableTargetFailsNamingItAndChangesNothing) {
    TempDir dir;
    BoxCapture boxes;
    EXPECT_FALSE(Example()->Save(kConfig));
    EXPECT_FALSE(TempDir::Exists("Player"));
    ExpectOpenFailureBox(boxes);

    const std::string old = "\r\n[OPTIONS]\r\n\r\n\tLOD = \"0\"\r\n";
    TempDir::WriteFile(kConfigSlash, old);
    TempDir::SetReadOnly(kConfigSlash, true);
    boxes.Clear();
    EXPECT_FALSE(Example()->Save(kConfig));
    TempDir::SetReadOnly(kConfigSlash, false);
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), old);
    EXPECT_FALSE(TempDir::Exists("Player/Config.ini.tmp"));
    ExpectOpenFailureBox(boxes);

    boxes.Clear();
    CIniFile doc;
    EXPECT_FALSE(doc.AddSection("OPTIONS")->Save()); // a section has no file name
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}
