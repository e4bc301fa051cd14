// The file object on disk files: opening, reading, writing, positions, read-only handling.
#include "HarvelTestSupport.h"

namespace {

const DWORD kRead = FILE_ACCESS_READ;
const DWORD kWrite = FILE_ACCESS_WRITE;

std::string ReadAll(CFileHarvel& file, DWORD max = 4096) {
    std::string bytes(max, '\0');
    DWORD got = 0;
    file.Read(&bytes[0], max, &got);
    bytes.resize(got);
    return bytes;
}

} // namespace

TEST_F(HarvelTest, MissingFileShowsTheExactBoxAndOpenReturnsZero) {
    CFileHarvel file(Desc("absent.ini", kRead, FILE_DISK, FILE_OPEN_EXISTING));
    EXPECT_EQ(file.Open(Desc("absent.ini", kRead, FILE_DISK, FILE_OPEN_EXISTING)), 0);
    EXPECT_EQ(file.GetHandle(), INVALID_HANDLE_VALUE);

    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Box(0).caption, kCaption);
    EXPECT_EQ(Box(0).style, kBoxStyle);
    std::string sentence = SystemSentence(ERROR_FILE_NOT_FOUND);
    ASSERT_GT(sentence.size(), 2u);
    EXPECT_EQ(sentence.substr(sentence.size() - 2), "\r\n");
    std::string expected = std::string("absent.ini\n") + kOpenFailed + "(absent.ini)\n" +
                           "WIN ERROR MESSAGE: " + sentence + "voir: ";
    EXPECT_TRUE(StartsWith(Box(0).text, expected)) << Box(0).text;
    EXPECT_TRUE(EndsWithSourcePosition(Box(0).text, "CFileHarvel.cpp"));
}

TEST_F(HarvelTest, OpenedAgainWithCreateAlwaysTheMissingFileIsCreatedEmpty) {
    FileOpenDesc desc = Desc("new.ini", kRead, FILE_DISK, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(&desc), 0);
    desc.creation = FILE_CREATE_ALWAYS;
    EXPECT_EQ(file.Open(&desc), 1);
    EXPECT_NE(file.GetHandle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(BoxCount(), 1u);
    file.Close();
    EXPECT_TRUE(TempDir::Exists("new.ini"));
    EXPECT_EQ(TempDir::ReadFile("new.ini"), "");
}

TEST_F(HarvelTest, CreateAlwaysReplacesTheContentAndWritesReachTheDisk) {
    TempDir::WriteFile("out.txt", "old content that is longer");
    FileOpenDesc desc = Desc("out.txt", kWrite, FILE_DISK, FILE_CREATE_ALWAYS);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(desc), 1);
    DWORD written = 0;
    EXPECT_EQ(file.Write("hello", 5, &written), 1);
    EXPECT_EQ(written, 5u);
    // Flushed at once, so visible before Close.
    EXPECT_EQ(TempDir::ReadFile("out.txt"), "hello");
    EXPECT_EQ(file.Write(" world", 6, nullptr, true), 1);
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(TempDir::ReadFile("out.txt"), "hello world");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, TruncateExistingEmptiesTheFile) {
    TempDir::WriteFile("t.txt", "abc");
    CFileHarvel file(Desc("t.txt", kWrite, FILE_DISK, FILE_TRUNCATE_EXISTING));
    ASSERT_EQ(file.Open(Desc("t.txt", kWrite, FILE_DISK, FILE_TRUNCATE_EXISTING)), 1);
    file.Close();
    EXPECT_EQ(TempDir::ReadFile("t.txt"), "");
}

TEST_F(HarvelTest, ReadAtTheEndOfAFileSucceedsWithAShortCount) {
    TempDir::WriteFile("in.txt", "abc");
    CFileHarvel file(Desc("in.txt", kRead, FILE_DISK, FILE_OPEN_EXISTING));
    ASSERT_EQ(file.Open(Desc("in.txt", kRead, FILE_DISK, FILE_OPEN_EXISTING)), 1);
    char buffer[10] = {};
    DWORD got = 99;
    EXPECT_EQ(file.Read(buffer, 10, &got), 1);
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_EQ(file.Read(buffer, 10, &got), 1);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, GetSizeKeepsThePositionOfADiskFile) {
    TempDir::WriteFile("ten.bin", "0123456789");
    CFileHarvel file(Desc("ten.bin", kRead, FILE_DISK, FILE_OPEN_EXISTING));
    ASSERT_EQ(file.Open(Desc("ten.bin", kRead, FILE_DISK, FILE_OPEN_EXISTING)), 1);
    EXPECT_EQ(file.SetPosition(4, FILE_POS_BEGIN), 4u);
    DWORD high = 77;
    EXPECT_EQ(file.GetSize(&high), 10u);
    EXPECT_EQ(high, 0u);
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_EQ(ReadAll(file, 3), "456");
}

TEST_F(HarvelTest, SeeksFromBeginningCurrentAndEndOfADiskFile) {
    TempDir::WriteFile("ten.bin", "0123456789");
    CFileHarvel file(Desc("ten.bin", kRead, FILE_DISK, FILE_OPEN_EXISTING));
    ASSERT_EQ(file.Open(Desc("ten.bin", kRead, FILE_DISK, FILE_OPEN_EXISTING)), 1);
    EXPECT_EQ(file.SetPosition(2, FILE_POS_BEGIN), 2u);
    EXPECT_EQ(file.SetPosition(3, FILE_POS_CURRENT), 5u);
    EXPECT_EQ(file.SetPosition(-1, FILE_POS_CURRENT), 4u);
    EXPECT_EQ(file.SetPosition(0, FILE_POS_END), 10u);
    // From the end, the offset is added: -3 is three bytes before the end.
    EXPECT_EQ(file.SetPosition(-3, FILE_POS_END), 7u);
    EXPECT_EQ(ReadAll(file, 5), "789");
    LONG high = 55;
    EXPECT_EQ(file.GetPosition(&high), 10u);
    EXPECT_EQ(high, 0);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, AnUnknownOriginShowsErrorFiveAndLeavesThePosition) {
    TempDir::WriteFile("ten.bin", "0123456789");
    CFileHarvel file(Desc("ten.bin", kRead, FILE_DISK, FILE_OPEN_EXISTING));
    ASSERT_EQ(file.Open(Desc("ten.bin", kRead, FILE_DISK, FILE_OPEN_EXISTING)), 1);
    file.SetPosition(6, FILE_POS_BEGIN);
    for (DWORD origin : {0u, 3u, 8u}) {
        EXPECT_EQ(file.SetPosition(1, origin), 0xFFFFFFFFu) << origin;
        EXPECT_EQ(file.GetPosition(), 6u) << origin;
    }
    ASSERT_EQ(BoxCount(), 3u);
    EXPECT_EQ(Lines(Box(0).text).at(1), std::string(kSetPosFailed) + "(ten.bin)");
}

TEST_F(HarvelTest, AppendPlacesThePositionAtTheEnd) {
    TempDir::WriteFile("log.txt", "abc");
    FileOpenDesc desc = Desc("log.txt", kRead | kWrite, FILE_DISK | FILE_APPEND, 1);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(desc), 1);
    EXPECT_EQ(file.GetPosition(), 3u);
    EXPECT_EQ(file.Write("de", 2), 1);
    file.Close();
    EXPECT_EQ(TempDir::ReadFile("log.txt"), "abcde");
}

TEST_F(HarvelTest, WritingThroughAReadOnlyHandleShowsErrorFour) {
    TempDir::WriteFile("in.txt", "abc");
    CFileHarvel file(Desc("in.txt", kRead, FILE_DISK, FILE_OPEN_EXISTING));
    ASSERT_EQ(file.Open(Desc("in.txt", kRead, FILE_DISK, FILE_OPEN_EXISTING)), 1);
    EXPECT_EQ(file.Write("x", 1), 0);
    ASSERT_EQ(BoxCount(), 1u);
    std::vector<std::string> lines = Lines(Box(0).text);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "in.txt");
    EXPECT_EQ(lines[1], std::string(kWriteFailed) + "(in.txt)");
    EXPECT_TRUE(StartsWith(lines[2], "WIN ERROR MESSAGE: ")) << lines[2];
    EXPECT_EQ(TempDir::ReadFile("in.txt"), "abc");
}

TEST_F(HarvelTest, CloseMarksTheHandleInvalidSoASecondCloseDoesNothing) {
    FileOpenDesc desc = Desc("c.txt", kWrite, FILE_DISK, FILE_CREATE_ALWAYS);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(desc), 1);
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(file.GetHandle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, CloseWithoutOpenDoesNothing) {
    CFileHarvel file(Desc("never.txt", kRead, FILE_DISK, FILE_OPEN_EXISTING));
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, WritingAfterCloseFailsWithABoxInsteadOfLosingTheBytes) {
    FileOpenDesc desc = Desc("c.txt", kWrite, FILE_DISK, FILE_CREATE_ALWAYS);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(desc), 1);
    file.Close();
    DWORD written = 9;
    EXPECT_EQ(file.Write("lost", 4, &written), 0);
    EXPECT_EQ(written, 0u);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), std::string(kWriteFailed) + "(c.txt)");
}

TEST_F(HarvelTest, OpenByReferenceLeavesTheCallersDescriptorAlone) {
    TempDir::WriteFile("d.ini", "abc");
    FileOpenDesc desc = Desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(desc), 1);
    EXPECT_EQ(desc.flags, FILE_DUMP);
    EXPECT_EQ(desc.memBuffer, nullptr);
    EXPECT_EQ(desc.memSize, 0u);
    EXPECT_EQ(ReadAll(file), "abc");
}

TEST_F(HarvelTest, DumpModeReadsTheWholeFileAndClosesTheHandle) {
    TempDir::WriteFile("d.ini", "[A]\r\nK=1\r\n");
    FileOpenDesc desc = Desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(desc.flags, FILE_DUMP | FILE_DISK | FILE_MEMORY);
    EXPECT_EQ(desc.memSize, 10u);
    ASSERT_NE(desc.memBuffer, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(desc.memBuffer), 10), "[A]\r\nK=1\r\n");
    EXPECT_EQ(file.GetMode() & (FILE_DISK | FILE_MEMORY), FILE_MEMORY);
    EXPECT_EQ(file.GetHandle(), INVALID_HANDLE_VALUE);
    // The handle is gone: the file can be replaced while the object still reads it.
    TempDir::WriteFile("d.ini", "other");
    EXPECT_EQ(file.GetSize(), 10u);
    EXPECT_EQ(ReadAll(file), "[A]\r\nK=1\r\n");
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, DumpIntoTheCallersBufferUsesItsSize) {
    TempDir::WriteFile("d.ini", "0123456789");
    unsigned char buffer[8] = {};
    FileOpenDesc desc = Desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    desc.memBuffer = buffer;
    desc.memSize = 4;
    {
        CFileHarvel file(desc);
        ASSERT_EQ(file.Open(&desc), 1);
        EXPECT_EQ(desc.memBuffer, buffer);
        EXPECT_EQ(ReadAll(file), "0123");
    }
    // The caller's buffer survives the object.
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), std::string("0123\0", 5));
}

TEST_F(HarvelTest, DumpShorterThanTheAskedSizeShowsErrorFifteen) {
    TempDir::WriteFile("d.ini", "abc");
    unsigned char buffer[8] = {};
    FileOpenDesc desc = Desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    desc.memBuffer = buffer;
    desc.memSize = sizeof buffer;
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(&desc), 0);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), std::string(kDumpShort) + "(d.ini)");
    EXPECT_EQ(desc.memBuffer, buffer);
}

TEST_F(HarvelTest, DumpOfAMissingFileFailsWithOneBox) {
    FileOpenDesc desc = Desc("none.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(&desc), 0);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), std::string(kOpenFailed) + "(none.ini)");
    EXPECT_EQ(desc.memBuffer, nullptr);
}

TEST_F(HarvelTest, ADumpObjectCanBeOpenedAgainWithTheDescriptorItFilled) {
    TempDir::WriteFile("d.ini", "abc");
    FileOpenDesc desc = Desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    TempDir::WriteFile("d.ini", "xyz");
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(ReadAll(file), "xyz");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, OverrideReadOnlyRecreatesTheFileAndMakesItReadOnlyAgain) {
    TempDir::WriteFile("ro.ini", "old");
    TempDir::SetReadOnly("ro.ini", true);
    FileOpenDesc desc = Desc("ro.ini", kWrite, FILE_DISK | FILE_OVERRIDE_READONLY, 2);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    DWORD readOnly = 9;
    ASSERT_EQ(FileGetAttribute("ro.ini", FILE_ATTR_READONLY, &readOnly), 1);
    EXPECT_EQ(readOnly, 0u);
    EXPECT_EQ(file.Write("new", 3), 1);
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(TempDir::ReadFile("ro.ini"), "new");
    ASSERT_EQ(FileGetAttribute("ro.ini", FILE_ATTR_READONLY, &readOnly), 1);
    EXPECT_EQ(readOnly, 1u);
    EXPECT_TRUE(TempDir::IsReadOnly("ro.ini"));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, OverrideReadOnlyOpensAnExistingFileForWritingAndRestoresTheAttribute) {
    TempDir::WriteFile("ro.ini", "abc");
    TempDir::SetReadOnly("ro.ini", true);
    FileOpenDesc desc = Desc("ro.ini", kWrite, FILE_DISK | FILE_OVERRIDE_READONLY, 1);
    {
        CFileHarvel file(desc);
        ASSERT_EQ(file.Open(&desc), 1);
        EXPECT_EQ(file.Write("X", 1), 1);
    } // the destructor closes
    EXPECT_EQ(TempDir::ReadFile("ro.ini"), "Xbc");
    EXPECT_TRUE(TempDir::IsReadOnly("ro.ini"));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, OverrideReadOnlyOnAMissingFileToOpenShowsErrorZero) {
    FileOpenDesc desc = Desc("gone.ini", kWrite, FILE_DISK | FILE_OVERRIDE_READONLY, 1);
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(&desc), 0);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), std::string(kOpenFailed) + "(gone.ini)");
    EXPECT_FALSE(TempDir::Exists("gone.ini"));
}

TEST_F(HarvelTest, OverrideReadOnlyWithCreateAlwaysOnAWritableFileLeavesItWritable) {
    TempDir::WriteFile("rw.ini", "old");
    FileOpenDesc desc = Desc("rw.ini", kWrite, FILE_DISK | FILE_OVERRIDE_READONLY, 2);
    {
        CFileHarvel file(desc);
        ASSERT_EQ(file.Open(&desc), 1);
    }
    EXPECT_EQ(TempDir::ReadFile("rw.ini"), "");
    EXPECT_FALSE(TempDir::IsReadOnly("rw.ini"));
}

TEST_F(HarvelTest, WithoutOverrideAReadOnlyFileCannotBeRecreated) {
    if (kWriteIgnoresReadOnly)
        GTEST_SKIP() << "Wine lets root open a read-only file for writing (see WINE.md)";
    TempDir::WriteFile("ro.ini", "keep");
    TempDir::SetReadOnly("ro.ini", true);
    FileOpenDesc desc = Desc("ro.ini", kWrite, FILE_DISK, FILE_CREATE_ALWAYS);
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(&desc), 0);
    ASSERT_EQ(BoxCount(), 1u);
    std::string expected = std::string("ro.ini\n") + kOpenFailed + "(ro.ini)\n" +
                           "WIN ERROR MESSAGE: " + SystemSentence(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(StartsWith(Box(0).text, expected)) << Box(0).text;
    EXPECT_EQ(TempDir::ReadFile("ro.ini"), "keep");
}

TEST_F(HarvelTest, ReadingThroughAWriteOnlyHandleShowsErrorThree) {
    FileOpenDesc desc = Desc("w.txt", kWrite, FILE_DISK, FILE_CREATE_ALWAYS);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(desc), 1);
    char buffer[4];
    DWORD got = 9;
    EXPECT_EQ(file.Read(buffer, 4, &got), 0);
    EXPECT_EQ(got, 0u);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), "Erreur lors d'une tentative de lecture!(w.txt)");
}
