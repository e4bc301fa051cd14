// Characters, lines and strings through CTextFile.
#include "HarvelTestSupport.h"

#include <memory>
#include <vector>

namespace {

// Every line ReadLine returns for `bytes` (read from memory), until it returns false.
std::vector<std::string> ReadLines(const std::string& bytes, bool keepEol) {
    // One spare byte, so that even an empty text has a buffer to point at.
    std::vector<unsigned char> buffer(bytes.begin(), bytes.end());
    buffer.push_back('#');
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memBuffer = buffer.data();
    desc.memSize = static_cast<DWORD>(bytes.size());
    CTextFile file(desc);
    std::vector<std::string> lines;
    if (!file.Open(&desc))
        return {"<open failed>"};
    std::string line;
    while (file.ReadLine(line, keepEol) && lines.size() < 100)
        lines.push_back(line);
    return lines;
}

using Lines_ = std::vector<std::string>;

} // namespace

TEST_F(HarvelTest, ReadLineTakesCrLfAsOneLineEnd) {
    EXPECT_EQ(ReadLines("a\r\nb", false), (Lines_{"a", "b"}));
    EXPECT_EQ(ReadLines("a\r\nb", true), (Lines_{"a\r\n", "b"}));
}

TEST_F(HarvelTest, ReadLineTakesLfCrAsOneLineEnd) {
    EXPECT_EQ(ReadLines("a\n\rb", false), (Lines_{"a", "b"}));
    EXPECT_EQ(ReadLines("a\n\rb", true), (Lines_{"a\n\r", "b"}));
}

TEST_F(HarvelTest, ReadLineTakesTwoLfAsAnEmptyLine) {
    EXPECT_EQ(ReadLines("a\n\nb", false), (Lines_{"a", "", "b"}));
    EXPECT_EQ(ReadLines("a\n\nb", true), (Lines_{"a\n", "\n", "b"}));
}

TEST_F(HarvelTest, ReadLineTakesTwoCrAsAnEmptyLine) {
    EXPECT_EQ(ReadLines("a\r\rb", false), (Lines_{"a", "", "b"}));
    EXPECT_EQ(ReadLines("a\r\rb", true), (Lines_{"a\r", "\r", "b"}));
}

TEST_F(HarvelTest, ReadLineEndsALineAtANulByte) {
    EXPECT_EQ(ReadLines(std::string("a\0b", 3), false), (Lines_{"a", "b"}));
    EXPECT_EQ(ReadLines(std::string("a\0b", 3), true), (Lines_{std::string("a\0", 2), "b"}));
    EXPECT_EQ(ReadLines(std::string("a\0\0b", 4), false), (Lines_{"a", "", "b"}));
    // A CR or LF right after the NUL belongs to the same line end.
    EXPECT_EQ(ReadLines(std::string("a\0\nb", 4), false), (Lines_{"a", "b"}));
}

TEST_F(HarvelTest, ReadLineTakesALoneLineEndAsOne) {
    EXPECT_EQ(ReadLines("a\rb\nc", false), (Lines_{"a", "b", "c"}));
    EXPECT_EQ(ReadLines("a\r\n\r\nb", false), (Lines_{"a", "", "b"}));
    EXPECT_EQ(ReadLines("\n", false), (Lines_{""}));
}

TEST_F(HarvelTest, ReadLineReturnsALastLineWithoutLineEndThenFalse) {
    EXPECT_EQ(ReadLines("first\r\nlast", false), (Lines_{"first", "last"}));
    EXPECT_EQ(ReadLines("only", true), (Lines_{"only"}));
    EXPECT_EQ(ReadLines("a\r\n", true), (Lines_{"a\r\n"}));
    EXPECT_EQ(ReadLines("a\r", false), (Lines_{"a"}));
    EXPECT_EQ(ReadLines("", false), (Lines_{}));
}

TEST_F(HarvelTest, ReadLineKeepsHighBytes) {
    EXPECT_EQ(ReadLines("Fran\xE7"
                        "ais\r\n",
                        false),
              (Lines_{"Fran\xE7"
                      "ais"}));
}

TEST_F(HarvelTest, ReadLineWorksTheSameOnADiskFile) {
    TempDir::WriteFile("lines.txt", "a\r\n\n\nb\rc");
    FileOpenDesc desc("lines.txt", FILE_ACCESS_READ, FILE_DISK, FILE_OPEN_EXISTING);
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    std::string line;
    Lines_ lines;
    while (file.ReadLine(line, false))
        lines.push_back(line);
    // CR LF ends "a"; each of the two LF after it ends an empty line.
    EXPECT_EQ(lines, (Lines_{"a", "", "", "b", "c"}));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, DumpOfAnEmptyFileOpensAndHasNoFirstLine) {
    TempDir::WriteFile("empty.ini", "");
    FileOpenDesc desc("empty.ini", FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING);
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(desc.memSize, 0u);
    std::string line = "stale";
    EXPECT_FALSE(file.ReadLine(line, false));
    EXPECT_EQ(line, "");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, ReadCharGivesOneByteAndEmptyTextForNul) {
    std::string bytes("x\0", 2);
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memBuffer = reinterpret_cast<unsigned char*>(&bytes[0]);
    desc.memSize = 2;
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    std::string out;
    EXPECT_TRUE(file.ReadChar(out));
    EXPECT_EQ(out, "x");
    EXPECT_TRUE(file.ReadChar(out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(file.ReadChar(out));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, CreateAndOpenWritesStringsToANewFile) {
    TempDir::WriteFile("Config.ini", "previous");
    FileOpenDesc desc("Config.ini", FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
    std::unique_ptr<CTextFile> file(CTextFile::CreateAndOpen(&desc));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->WriteString("[OPTIONS]\r\n", true));
    EXPECT_TRUE(file->WriteString("", true));
    EXPECT_TRUE(file->WriteString("\tKEY = \"1\"\r\n", false));
    file.reset();
    EXPECT_EQ(TempDir::ReadFile("Config.ini"), "[OPTIONS]\r\n\tKEY = \"1\"\r\n");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, CreateAndOpenInAMissingFolderGivesNullAfterOneBox) {
    FileOpenDesc desc("NoSuchFolder\\Config.ini", FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
    CTextFile* file = CTextFile::CreateAndOpen(&desc);
    EXPECT_EQ(file, nullptr);
    ASSERT_EQ(BoxCount(), 1u);
    std::vector<std::string> lines = Lines(Box(0).text);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "NoSuchFolder\\Config.ini");
    EXPECT_EQ(lines[1], std::string(kOpenFailed) + "(NoSuchFolder\\Config.ini)");
    EXPECT_TRUE(StartsWith(Box(0).text.substr(Box(0).text.find("WIN ERROR MESSAGE: ")),
                           "WIN ERROR MESSAGE: " + SystemSentence(ERROR_PATH_NOT_FOUND)))
        << Box(0).text;
}

TEST_F(HarvelTest, CreateAndOpenInDumpModeHandsTheBufferBack) {
    TempDir::WriteFile("d.ini", "K=V");
    FileOpenDesc desc("d.ini", FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING);
    std::unique_ptr<CTextFile> file(CTextFile::CreateAndOpen(&desc));
    ASSERT_NE(file, nullptr);
    ASSERT_NE(desc.memBuffer, nullptr);
    EXPECT_EQ(desc.memSize, 3u);
    std::string line;
    EXPECT_TRUE(file->ReadLine(line, false));
    EXPECT_EQ(line, "K=V");
}

TEST_F(HarvelTest, CreateAndOpenFailingInDumpModeLeavesNoDanglingBuffer) {
    TempDir::WriteFile("d.ini", "K");
    FileOpenDesc desc("d.ini", FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING);
    desc.memSize = 8; // more than the file holds: the dump comes up short
    EXPECT_EQ(CTextFile::CreateAndOpen(&desc), nullptr);
    // The buffer the object allocated died with it.
    EXPECT_EQ(desc.memBuffer, nullptr);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), std::string(kDumpShort) + "(d.ini)");
}

TEST_F(HarvelTest, WriteStringIntoATooSmallBufferFails) {
    unsigned char buffer[4] = {};
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memBuffer = buffer;
    desc.memSize = 3;
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_TRUE(file.WriteString("ab", false));
    EXPECT_FALSE(file.WriteString("cd", false));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), std::string("abc\0", 4));
    EXPECT_EQ(BoxCount(), 1u);
}
