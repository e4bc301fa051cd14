// The file object on disk files, over a caller's buffer, and in size-determination mode.
#include "HarvelTestSupport.h"

namespace {

const DWORD kRead = FILE_ACCESS_READ;
const DWORD kWrite = FILE_ACCESS_WRITE;

// Six usable bytes "abcdef" between five guard bytes on each side that nothing may touch.
struct GuardedBuffer {
    char bytes[17] = "#####abcdef#####";
    FileOpenDesc desc;
    GuardedBuffer() {
        desc.flags = FILE_MEMORY;
        desc.memBuffer = reinterpret_cast<unsigned char*>(bytes + 5);
        desc.memSize = 6;
    }
};

} // namespace

TEST_F(HarvelTest, MissingFileShowsTheExactBoxThenCreateAlwaysMakesItEmpty) {
    FileOpenDesc desc = Desc("absent.ini", kRead, FILE_DISK, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(desc), 0);
    EXPECT_EQ(file.GetHandle(), INVALID_HANDLE_VALUE);
    ExpectFileErrorBox(std::string("absent.ini\n") + kOpenFailed + "(absent.ini)\n",
                       ERROR_FILE_NOT_FOUND, "CFileHarvel.cpp");
    desc.creation = FILE_CREATE_ALWAYS;
    EXPECT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(file.GetSize(), 0u);
    file.Close();
    EXPECT_EQ(TempDir::ReadFile("absent.ini"), "");
    EXPECT_EQ(BoxCount(), 1u);
}

TEST_F(HarvelTest, CreationModesAndAppendShapeTheFile) {
    TempDir::WriteFile("out.txt", "old content that is longer");
    TempDir::WriteFile("log.txt", "abc");
    auto file = OpenDisk("out.txt", kWrite, FILE_CREATE_ALWAYS);
    ASSERT_TRUE(file);
    EXPECT_EQ(Wrote(*file, "hello"), "1 5");
    EXPECT_EQ(TempDir::ReadFile("out.txt"), "hello"); // flushed at once
    EXPECT_EQ(Wrote(*file, " world", true), "1 6");
    EXPECT_EQ(file->Close(), 1);
    EXPECT_EQ(TempDir::ReadFile("out.txt"), "hello world");
    ASSERT_TRUE(OpenDisk("out.txt", kWrite, FILE_TRUNCATE_EXISTING));
    EXPECT_EQ(TempDir::ReadFile("out.txt"), "");
    file = OpenDisk("log.txt", kRead | kWrite, FILE_OPEN_EXISTING, FILE_DISK | FILE_APPEND);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->GetPosition(), 3u);
    EXPECT_EQ(Wrote(*file, "de"), "1 2");
    EXPECT_EQ(TempDir::ReadFile("log.txt"), "abcde");
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, DiskPositionsSizeAndShortReads) {
    TempDir::WriteFile("ten.bin", "0123456789");
    auto file = OpenDisk("ten.bin", kRead, FILE_OPEN_EXISTING);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->SetPosition(2, FILE_POS_BEGIN), 2u);
    EXPECT_EQ(file->SetPosition(3, FILE_POS_CURRENT), 5u);
    EXPECT_EQ(file->SetPosition(-1, FILE_POS_CURRENT), 4u);
    DWORD high = 77;
    EXPECT_EQ(file->GetSize(&high), 10u); // and the position stays
    EXPECT_EQ(high, 0u);
    EXPECT_EQ(Got(*file, 3), "1 456");
    EXPECT_EQ(file->SetPosition(0, FILE_POS_END), 10u);
    EXPECT_EQ(file->SetPosition(-3, FILE_POS_END), 7u); // the offset is added to the end
    EXPECT_EQ(Got(*file, 10), "1 789");
    EXPECT_EQ(Got(*file, 10), "1 ");
    LONG highPos = 55;
    EXPECT_EQ(file->GetPosition(&highPos), 10u);
    EXPECT_EQ(highPos, 0);
    EXPECT_EQ(BoxCount(), 0u);
    file->SetPosition(6, FILE_POS_BEGIN);
    for (DWORD origin : {0u, 3u, 8u}) {
        boxes.Clear();
        EXPECT_EQ(file->SetPosition(1, origin), 0xFFFFFFFFu) << origin;
        EXPECT_EQ(file->GetPosition(), 6u) << origin;
        EXPECT_EQ(OnlyBoxLine(1), "Erreur lors d'un SetPosition!(ten.bin)") << origin;
    }
}

TEST_F(HarvelTest, TransfersAgainstTheAccessOrAfterCloseFailWithABox) {
    TempDir::WriteFile("in.txt", "abc");
    auto reader = OpenDisk("in.txt", kRead, FILE_OPEN_EXISTING);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->Write("x", 1), 0);
    EXPECT_EQ(OnlyBoxLine(0), "in.txt");
    EXPECT_EQ(OnlyBoxLine(1), std::string(kWriteFailed) + "(in.txt)");
    EXPECT_EQ(OnlyBoxLine(2).substr(0, 19), "WIN ERROR MESSAGE: ");
    EXPECT_EQ(TempDir::ReadFile("in.txt"), "abc");
    boxes.Clear();
    auto writer = OpenDisk("w.txt", kWrite, FILE_CREATE_ALWAYS);
    ASSERT_TRUE(writer);
    EXPECT_EQ(Got(*writer, 4), "0 ");
    EXPECT_EQ(OnlyBoxLine(1), "Erreur lors d'une tentative de lecture!(w.txt)");
    // Close marks the handle invalid: a second Close does nothing, a write fails loudly.
    boxes.Clear();
    EXPECT_EQ(writer->Close(), 1);
    EXPECT_EQ(writer->GetHandle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(writer->Close(), 1);
    EXPECT_EQ(CFileHarvel(Desc("never.txt", kRead, FILE_DISK, 1)).Close(), 1);
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_EQ(Wrote(*writer, "lost"), "0 0");
    EXPECT_EQ(OnlyBoxLine(1), std::string(kWriteFailed) + "(w.txt)");
}

TEST_F(HarvelTest, DumpModeReadsTheWholeFileAndClosesTheHandle) {
    TempDir::WriteFile("d.ini", "[A]\r\nK=1\r\n");
    auto byReference = OpenDisk("d.ini", kRead, FILE_OPEN_EXISTING, FILE_DUMP);
    ASSERT_TRUE(byReference);
    FileOpenDesc desc = Desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(desc.flags, FILE_DUMP | FILE_DISK | FILE_MEMORY);
    ASSERT_EQ(desc.memSize, 10u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(desc.memBuffer), 10), "[A]\r\nK=1\r\n");
    EXPECT_EQ(file.GetMode() & (FILE_DISK | FILE_MEMORY), FILE_MEMORY);
    EXPECT_EQ(file.GetHandle(), INVALID_HANDLE_VALUE);
    // The handle is gone: the file can be replaced while the object still reads it.
    TempDir::WriteFile("d.ini", "[B]\r\nK=2\r\n");
    EXPECT_EQ(file.GetSize(), 10u);
    EXPECT_EQ(Got(file, 20), "1 [A]\r\nK=1\r\n");
    EXPECT_EQ(Got(*byReference, 20), "1 [A]\r\nK=1\r\n");
    ASSERT_EQ(file.Open(&desc), 1); // again, with the descriptor it filled
    EXPECT_EQ(Got(file, 20), "1 [B]\r\nK=2\r\n");
    EXPECT_EQ(file.Close(), 1);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, DumpIntoTheCallersBufferUsesItsSizeAndFailsShort) {
    TempDir::WriteFile("d.ini", "0123456789");
    unsigned char buffer[8] = {};
    FileOpenDesc desc = Desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    desc.memBuffer = buffer;
    desc.memSize = 4;
    auto file = std::make_unique<CFileHarvel>(desc);
    ASSERT_EQ(file->Open(&desc), 1);
    EXPECT_EQ(desc.memBuffer, buffer);
    EXPECT_EQ(Got(*file, 8), "1 0123");
    file.reset(); // the caller's buffer survives the object
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), std::string("0123\0", 5));
    TempDir::WriteFile("d.ini", "abc");
    desc.memSize = sizeof buffer;
    EXPECT_EQ(CFileHarvel(desc).Open(&desc), 0);
    EXPECT_EQ(OnlyBoxLine(1), std::string(kDumpShort) + "(d.ini)");
    EXPECT_EQ(desc.memBuffer, buffer);
    boxes.Clear();
    FileOpenDesc missing = Desc("none.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    EXPECT_EQ(CFileHarvel(missing).Open(&missing), 0);
    EXPECT_EQ(OnlyBoxLine(1), std::string(kOpenFailed) + "(none.ini)");
    EXPECT_EQ(missing.memBuffer, nullptr);
}

TEST_F(HarvelTest, OverrideReadOnlyWritesAndRestoresTheAttribute) {
    const struct {
        bool readOnly;
        DWORD creation;
        const char* write;
        const char* after;
    } rows[] = {{true, FILE_CREATE_ALWAYS, "new", "new"},
                {true, FILE_OPEN_EXISTING, "X", "Xbc"}, // closed by the destructor
                {false, FILE_CREATE_ALWAYS, "", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.after);
        TempDir::WriteFile("ro.ini", "abc");
        TempDir::SetReadOnly("ro.ini", row.readOnly);
        auto file = OpenDisk("ro.ini", kWrite, row.creation, FILE_DISK | FILE_OVERRIDE_READONLY);
        ASSERT_TRUE(file);
        EXPECT_FALSE(TempDir::IsReadOnly("ro.ini"));
        EXPECT_EQ(file->Write(row.write, static_cast<DWORD>(std::string(row.write).size())), 1);
        if (row.creation == FILE_CREATE_ALWAYS) {
            EXPECT_EQ(file->Close(), 1);
        }
        file.reset();
        EXPECT_EQ(TempDir::ReadFile("ro.ini"), row.after);
        EXPECT_EQ(TempDir::IsReadOnly("ro.ini"), row.readOnly);
        TempDir::SetReadOnly("ro.ini", false);
    }
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_FALSE(OpenDisk("gone.ini", kWrite, 1, FILE_DISK | FILE_OVERRIDE_READONLY));
    EXPECT_EQ(OnlyBoxLine(1), std::string(kOpenFailed) + "(gone.ini)");
    EXPECT_FALSE(TempDir::Exists("gone.ini"));
}

TEST_F(HarvelTest, WithoutOverrideAReadOnlyFileCannotBeRecreated) {
    if (kWriteIgnoresReadOnly)
        GTEST_SKIP() << "under Wine, root may open a read-only file for writing, unlike on Windows";
    TempDir::WriteFile("ro.ini", "keep");
    TempDir::SetReadOnly("ro.ini", true);
    EXPECT_FALSE(OpenDisk("ro.ini", kWrite, FILE_CREATE_ALWAYS));
    ExpectFileErrorBox(std::string("ro.ini\n") + kOpenFailed + "(ro.ini)\n", ERROR_ACCESS_DENIED,
                       "CFileHarvel.cpp");
    EXPECT_EQ(TempDir::ReadFile("ro.ini"), "keep");
}

TEST_F(HarvelTest, MemoryTransfersAreClampedToTheBuffer) {
    GuardedBuffer buffer;
    CFileHarvel file(buffer.desc);
    ASSERT_EQ(file.Open(&buffer.desc), 1);
    EXPECT_EQ(file.SetPosition(4, FILE_POS_BEGIN), 4u);
    EXPECT_EQ(Got(file, 5), "1 ef");
    EXPECT_EQ(Got(file, 1), "0 "); // at the end, without a box
    EXPECT_EQ(BoxCount(), 0u);
    file.SetPosition(0, FILE_POS_BEGIN);
    EXPECT_EQ(Wrote(file, "123"), "1 3");
    EXPECT_EQ(Wrote(file, "XYZUVW"), "0 3");
    EXPECT_EQ(OnlyBoxLine(1), std::string(kWriteFailed) + "()");
    EXPECT_EQ(Wrote(file, "Q"), "0 0");
    EXPECT_STREQ(buffer.bytes, "#####123XYZ#####");
}

TEST_F(HarvelTest, MemoryPositionStaysInsideTheBuffer) {
    GuardedBuffer buffer;
    CFileHarvel file(buffer.desc);
    ASSERT_EQ(file.Open(&buffer.desc), 1);
    EXPECT_EQ(file.SetPosition(100, FILE_POS_BEGIN), 6u);
    EXPECT_EQ(file.SetPosition(-100, FILE_POS_CURRENT), 0u);
    EXPECT_EQ(file.SetPosition(-5, FILE_POS_BEGIN), 0u);
    EXPECT_EQ(file.SetPosition(5, FILE_POS_END), 6u);
    EXPECT_EQ(file.SetPosition(-100, FILE_POS_END), 0u);
    EXPECT_EQ(file.SetPosition(-2, FILE_POS_END), 4u);
    EXPECT_EQ(file.GetSize(), 6u);
    EXPECT_EQ(Got(file, 8), "1 ef"); // GetSize kept the position
    EXPECT_EQ(BoxCount(), 0u);
    FileOpenDesc desc; // memory mode without a buffer is refused
    desc.flags = FILE_MEMORY;
    desc.memSize = 100;
    CFileHarvel unbacked(desc);
    EXPECT_EQ(unbacked.Open(&desc), 0);
    EXPECT_EQ(OnlyBoxLine(1), "Probleme: Pointeur memoire non valide!()");
    EXPECT_EQ(Wrote(unbacked, "x"), "0 0");
}

TEST_F(HarvelTest, SizeDeterminationCountsWritesAndReadsNothing) {
    FileOpenDesc desc("counted.bin", FILE_ACCESS_READ, 0, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(Wrote(file, "0123456789"), "1 10");
    EXPECT_EQ(file.Write("abcde", 5), 1);
    EXPECT_EQ(file.GetPosition(), 15u);
    EXPECT_EQ(file.SetPosition(3, FILE_POS_CURRENT), 18u);
    EXPECT_EQ(file.SetPosition(4, FILE_POS_BEGIN), 4u);
    EXPECT_EQ(Got(file, 4), "1 ");
    EXPECT_EQ(file.GetPosition(), 8u);
    EXPECT_FALSE(TempDir::Exists("counted.bin"));
    EXPECT_EQ(BoxCount(), 0u);
    // Seeking from the end cannot work without an end: error 11, naming no file.
    EXPECT_EQ(file.SetPosition(0, FILE_POS_END), 0xFFFFFFFFu);
    EXPECT_EQ(file.GetPosition(), 0xFFFFFFFFu);
    EXPECT_EQ(OnlyBoxLine(0),
              "Probleme: SetPos depuis fin non autorise en mode determination de taille!");
    EXPECT_EQ(OnlyBoxLine(1).substr(0, 19), "WIN ERROR MESSAGE: ");
    EXPECT_TRUE(EndsWithSource(Box(0).text, "CFileHarvel.cpp")) << Box(0).text;
    EXPECT_EQ(Box(0).text.find("counted.bin"), std::string::npos);
}
