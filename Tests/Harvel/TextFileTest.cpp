// Characters, lines and strings through CTextFile.
#include "HarvelTestSupport.h"

#include <algorithm>

namespace {

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
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memBuffer = reinterpret_cast<unsigned char*>(&text[0]);
    desc.memSize = static_cast<DWORD>(text.size() - 1);
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

TEST_F(HarvelTest, ReadLineAndReadCharWorkOnDiskAndDumpFiles) {
    TempDir::WriteFile("lines.txt", std::string("a\r\n\n\nb\rc\0", 9));
    FileOpenDesc desc("lines.txt", kRead, FILE_DISK, FILE_OPEN_EXISTING);
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(Drain(file, false), "a|||b|c|");
    std::string out = "x";
    file.SetPosition(-1, FILE_POS_END);
    EXPECT_TRUE(file.ReadChar(out));
    EXPECT_EQ(out, ""); // a NUL byte
    file.SetPosition(0, FILE_POS_BEGIN);
    EXPECT_TRUE(file.ReadChar(out));
    EXPECT_EQ(out, "a");
    TempDir::WriteFile("empty.ini", "");
    FileOpenDesc empty("empty.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    CTextFile dump(empty);
    ASSERT_EQ(dump.Open(&empty), 1);
    EXPECT_EQ(empty.memSize, 0u);
    std::string line = "stale";
    EXPECT_FALSE(dump.ReadLine(line, false));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(dump.ReadChar(line));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, CreateAndOpenWritesStringsOrGivesNullAfterOneBox) {
    TempDir::WriteFile("Config.ini", "previous");
    FileOpenDesc desc("Config.ini", kWrite, FILE_DISK, FILE_CREATE_ALWAYS);
    std::unique_ptr<CTextFile> file(CTextFile::CreateAndOpen(&desc));
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->WriteString("[OPTIONS]\r\n", true));
    EXPECT_TRUE(file->WriteString("", true));
    EXPECT_TRUE(file->WriteString("\tKEY = \"1\"\r\n", false));
    file.reset();
    EXPECT_EQ(TempDir::ReadFile("Config.ini"), "[OPTIONS]\r\n\tKEY = \"1\"\r\n");
    EXPECT_EQ(BoxCount(), 0u);
    FileOpenDesc missing("NoSuchFolder\\Config.ini", kWrite, FILE_DISK, FILE_CREATE_ALWAYS);
    EXPECT_EQ(CTextFile::CreateAndOpen(&missing), nullptr);
    ExpectBox("NoSuchFolder\\Config.ini\nProbleme a l'ouverture du fichier! Fichier "
              "inexistant?(NoSuchFolder\\Config.ini)\n",
              ERROR_PATH_NOT_FOUND, "CFileHarvel.cpp");

    FileOpenDesc dump("Config.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    file.reset(CTextFile::CreateAndOpen(&dump));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(dump.memSize, 23u);
    EXPECT_EQ(Drain(*file, false), "[OPTIONS]|\tKEY = \"1\"|");
    FileOpenDesc tooLong("Config.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    tooLong.memSize = 30; // more than the file holds: the dump comes up short
    EXPECT_EQ(CTextFile::CreateAndOpen(&tooLong), nullptr);
    EXPECT_EQ(tooLong.memBuffer, nullptr); // the buffer died with the object
    EXPECT_EQ(BoxHead(),
              "Probleme: Lors de la copie memoire du fichier ouvert en mode dump.(Config.ini)");
}
