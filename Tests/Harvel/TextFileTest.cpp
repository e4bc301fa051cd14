// Characters, lines and strings through CTextFile.
#include "HarvelTestSupport.h"

#include <algorithm>
#include <memory>

namespace {

FileOpenDesc MemoryDesc(unsigned char* bytes, DWORD size) {
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memBuffer = bytes;
    desc.memSize = size;
    return desc;
}

// Every line ReadLine returns, each followed by "|", until it returns false.
std::string Drain(CTextFile& file, bool keepEol) {
    std::string lines, line;
    for (int n = 0; n < 100 && file.ReadLine(line, keepEol); ++n)
        lines += line + "|";
    return lines;
}

// Drain of `text` read from memory, "~" standing for a NUL byte.
std::string ReadLines(std::string text, bool keepEol) {
    std::replace(text.begin(), text.end(), '~', '\0');
    text.push_back('#'); // so that even an empty text has a buffer to point at
    FileOpenDesc desc =
        MemoryDesc(reinterpret_cast<unsigned char*>(&text[0]), static_cast<DWORD>(text.size() - 1));
    CTextFile file(desc);
    std::string lines = file.Open(&desc) ? Drain(file, keepEol) : "<open failed>";
    std::replace(lines.begin(), lines.end(), '\0', '~');
    return lines;
}

} // namespace

TEST_F(HarvelTest, ReadLineTakesEachLineEndPairAsOneAndKeepsTheLastLine) {
    const struct {
        const char* text;
        const char* lines;    // line ends dropped
        const char* withEols; // line ends kept
    } rows[] = {{"a\r\nb", "a|b|", "a\r\n|b|"},
                {"a\n\rb", "a|b|", "a\n\r|b|"},
                {"a\n\nb", "a||b|", "a\n|\n|b|"},
                {"a\r\rb", "a||b|", "a\r|\r|b|"},
                {"a~b", "a|b|", "a~|b|"},
                {"a~~b", "a||b|", "a~|~|b|"},
                {"a~\nb", "a|b|", "a~\n|b|"},
                {"a\rb\nc", "a|b|c|", "a\r|b\n|c|"},
                {"a\r\n\r\nb", "a||b|", "a\r\n|\r\n|b|"},
                {"\n", "|", "\n|"},
                {"first\r\nlast", "first|last|", "first\r\n|last|"},
                {"only", "only|", "only|"},
                {"a\r\n", "a|", "a\r\n|"},
                {"a\r", "a|", "a\r|"},
                {"", "", ""},
                {"\xE9t\xE9\r\n", "\xE9t\xE9|", "\xE9t\xE9\r\n|"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(std::string(row.text)));
        EXPECT_EQ(ReadLines(row.text, false), row.lines);
        EXPECT_EQ(ReadLines(row.text, true), row.withEols);
    }
}

TEST_F(HarvelTest, ReadLineWorksTheSameOnDiskAndDumpFiles) {
    TempDir::WriteFile("lines.txt", "a\r\n\n\nb\rc");
    TempDir::WriteFile("empty.ini", "");
    FileOpenDesc desc("lines.txt", FILE_ACCESS_READ, FILE_DISK, FILE_OPEN_EXISTING);
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(Drain(file, false), "a|||b|c|");
    FileOpenDesc empty("empty.ini", FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING);
    CTextFile dump(empty);
    ASSERT_EQ(dump.Open(&empty), 1);
    EXPECT_EQ(empty.memSize, 0u);
    std::string line = "stale";
    EXPECT_FALSE(dump.ReadLine(line, false));
    EXPECT_EQ(line, "");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, ReadCharGivesOneByteAndWriteStringStopsAtTheBufferEnd) {
    unsigned char bytes[4] = {'x', 0, 'y', '#'};
    FileOpenDesc desc = MemoryDesc(bytes, 3);
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    std::string out;
    EXPECT_TRUE(file.ReadChar(out));
    EXPECT_EQ(out, "x");
    EXPECT_TRUE(file.ReadChar(out));
    EXPECT_EQ(out, ""); // a NUL byte
    file.SetPosition(0, FILE_POS_BEGIN);
    EXPECT_TRUE(file.WriteString("ab", false));
    EXPECT_FALSE(file.WriteString("cd", false));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 4), "abc#");
    EXPECT_EQ(BoxCount(), 1u);
    EXPECT_FALSE(file.ReadChar(out));
}

TEST_F(HarvelTest, CreateAndOpenWritesStringsOrGivesNullAfterOneBox) {
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

    FileOpenDesc missing("NoSuchFolder\\Config.ini", FILE_ACCESS_WRITE, FILE_DISK,
                         FILE_CREATE_ALWAYS);
    EXPECT_EQ(CTextFile::CreateAndOpen(&missing), nullptr);
    ExpectFileErrorBox(std::string("NoSuchFolder\\Config.ini\n") + kOpenFailed +
                           "(NoSuchFolder\\Config.ini)\n",
                       ERROR_PATH_NOT_FOUND, "CFileHarvel.cpp");
}

TEST_F(HarvelTest, CreateAndOpenInDumpModeHandsTheBufferBackOrNone) {
    TempDir::WriteFile("d.ini", "K=V");
    FileOpenDesc desc("d.ini", FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING);
    std::unique_ptr<CTextFile> file(CTextFile::CreateAndOpen(&desc));
    ASSERT_NE(file, nullptr);
    ASSERT_NE(desc.memBuffer, nullptr);
    EXPECT_EQ(desc.memSize, 3u);
    EXPECT_EQ(Drain(*file, false), "K=V|");

    FileOpenDesc tooLong("d.ini", FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING);
    tooLong.memSize = 8; // more than the file holds: the dump comes up short
    EXPECT_EQ(CTextFile::CreateAndOpen(&tooLong), nullptr);
    EXPECT_EQ(tooLong.memBuffer, nullptr); // the buffer died with the object
    EXPECT_EQ(OnlyBoxLine(1), std::string(kDumpShort) + "(d.ini)");
}
