// The file object on disk files, over a caller's buffer, and in size-determination mode.
#include "HarvelTestSupport.h"

namespace {

const std::string kOpenFailed = "Probleme a l'ouverture du fichier! Fichier inexistant?";
const std::string kWriteFailed = "Erreur lors d'une tentative d'ecriture!";
const std::string kDumpShort = "Probleme: Lors de la copie memoire du fichier ouvert en mode dump.";

// Wine lets root open a read-only file for writing, unlike Windows and our POSIX layer.
#if defined(_WIN32)
const bool kWriteIgnoresReadOnly = true;
#else
const bool kWriteIgnoresReadOnly = false;
#endif

// Six usable bytes "abcdef" between five guard bytes on each side that nothing may touch.
struct GuardedBuffer {
    char bytes[17] = "#####abcdef#####";
    FileOpenDesc desc;
    CFileHarvel file{desc};
    GuardedBuffer() {
        desc.flags = FILE_MEMORY;
        desc.memBuffer = reinterpret_cast<unsigned char*>(bytes + 5);
        desc.memSize = 6;
        file.Open(&desc);
    }
};

} // namespace

TEST_F(HarvelTest, MissingFileShowsTheExactBoxThenCreateAlwaysMakesItEmpty) {
    FileOpenDesc desc("absent.ini", kRead, FILE_DISK, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(desc), 0);
    EXPECT_EQ(file.GetHandle(), INVALID_HANDLE_VALUE);
    ExpectBox("absent.ini\n" + kOpenFailed + "(absent.ini)\n", ERROR_FILE_NOT_FOUND,
              "CFileHarvel.cpp");
    desc.creation = FILE_CREATE_ALWAYS;
    EXPECT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(file.GetSize(), 0u);
    file.Close();
    EXPECT_EQ(TempDir::ReadFile("absent.ini"), "");
    if (!kWriteIgnoresReadOnly) { // a read-only file cannot be recreated without the override
        TempDir::SetReadOnly("absent.ini", true);
        EXPECT_FALSE(OpenDisk("absent.ini", kWrite, FILE_CREATE_ALWAYS));
        ExpectBox("absent.ini\n" + kOpenFailed + "(absent.ini)\n", ERROR_ACCESS_DENIED,
                  "CFileHarvel.cpp");
    }
    EXPECT_EQ(BoxCount(), 0u);
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
    EXPECT_EQ(file->SetPosition(-3, FILE_POS_END), 7u); // the offset is added to the end
    EXPECT_EQ(Got(*file, 10), "1 789");
    EXPECT_EQ(Got(*file, 10), "1 ");
    LONG highPos = 55;
    EXPECT_EQ(file->GetPosition(&highPos), 10u);
    EXPECT_EQ(highPos, 0);
    file->SetPosition(6, FILE_POS_BEGIN);
    for (DWORD origin : {0u, 3u, 8u}) {
        EXPECT_EQ(file->SetPosition(1, origin), 0xFFFFFFFFu) << origin;
        EXPECT_EQ(file->GetPosition(), 6u) << origin;
        EXPECT_EQ(BoxHead(), "Erreur lors d'un SetPosition!(ten.bin)") << origin;
        boxes.Clear();
    }
}

TEST_F(HarvelTest, TransfersAgainstTheAccessOrAfterCloseFailWithABox) {
    TempDir::WriteFile("in.txt", "abc");
    auto reader = OpenDisk("in.txt", kRead, FILE_OPEN_EXISTING);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->Write("x", 1), 0);
    ExpectBox("in.txt\n" + kWriteFailed + "(in.txt)\n", ERROR_ACCESS_DENIED, "CFileHarvel.cpp");
    auto writer = OpenDisk("w.txt", kWrite, FILE_CREATE_ALWAYS);
    ASSERT_TRUE(writer);
    EXPECT_EQ(Got(*writer, 4), "0 ");
    EXPECT_EQ(BoxHead(), "Erreur lors d'une tentative de lecture!(w.txt)");
    boxes.Clear();
    // Close marks the handle invalid: a second Close does nothing, a write fails loudly.
    EXPECT_EQ(writer->Close(), 1);
    EXPECT_EQ(writer->GetHandle(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(writer->Close(), 1);
    EXPECT_EQ(CFileHarvel(FileOpenDesc("never.txt", kRead, FILE_DISK, 1)).Close(), 1);
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_EQ(Wrote(*writer, "lost"), "0 0");
    EXPECT_EQ(BoxHead(), kWriteFailed + "(w.txt)");
}

TEST_F(HarvelTest, DumpModeReadsTheWholeFileIntoItsOwnOrTheCallersBuffer) {
    TempDir::WriteFile("d.ini", "[A]\r\nK=1\r\n");
    auto byReference = OpenDisk("d.ini", kRead, FILE_OPEN_EXISTING, FILE_DUMP);
    ASSERT_TRUE(byReference);
    FileOpenDesc desc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(desc.flags, FILE_DUMP | FILE_DISK | FILE_MEMORY);
    ASSERT_EQ(desc.memSize, 10u);
    EXPECT_EQ(file.GetMode() & (FILE_DISK | FILE_MEMORY), FILE_MEMORY);
    EXPECT_EQ(file.GetHandle(), INVALID_HANDLE_VALUE);
    // The handle is gone: the file can be replaced while the object still reads it.
    TempDir::WriteFile("d.ini", "[B]\r\nK=2\r\n");
    EXPECT_EQ(file.GetSize(), 10u);
    EXPECT_EQ(Got(file, 20), "1 [A]\r\nK=1\r\n");
    EXPECT_EQ(Got(*byReference, 20), "1 [A]\r\nK=1\r\n");
    ASSERT_EQ(file.Open(&desc), 1); // again, with the descriptor it filled
    EXPECT_EQ(Got(file, 20), "1 [B]\r\nK=2\r\n");

    unsigned char buffer[8] = {};
    desc = FileOpenDesc("d.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    desc.memBuffer = buffer;
    desc.memSize = 4;
    auto own = std::make_unique<CFileHarvel>(desc);
    ASSERT_EQ(own->Open(&desc), 1);
    EXPECT_EQ(Got(*own, 8), "1 [B]\r");
    own.reset(); // the caller's buffer survives the object
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), std::string("[B]\r\0", 5));
    TempDir::WriteFile("d.ini", "abc");
    desc.memSize = sizeof buffer; // more than the file holds: the dump comes up short
    EXPECT_EQ(CFileHarvel(desc).Open(&desc), 0);
    EXPECT_EQ(BoxHead(), kDumpShort + "(d.ini)");
    EXPECT_EQ(desc.memBuffer, buffer);
    boxes.Clear();
    FileOpenDesc missing("none.ini", kRead, FILE_DUMP, FILE_OPEN_EXISTING);
    EXPECT_EQ(CFileHarvel(missing).Open(&missing), 0);
    EXPECT_EQ(BoxHead(), kOpenFailed + "(none.ini)");
    EXPECT_EQ(missing.memBuffer, nullptr);
}

TEST_F(HarvelTest, OverrideReadOnlyWritesAndRestoresOnlyAnAttributeItCleared) {
    const struct {
        bool readOnly;
        DWORD creation;
        const char* write;
        const char* after;
    } rows[] = {{true, FILE_CREATE_ALWAYS, "new", "new"},
                {true, FILE_OPEN_EXISTING, "X", "Xbc"},
                {false, FILE_CREATE_ALWAYS, "", ""},
                {false, FILE_OPEN_EXISTING, "Y", "Ybc"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.after);
        TempDir::WriteFile("ro.ini", "abc");
        TempDir::SetReadOnly("ro.ini", row.readOnly);
        auto file = OpenDisk("ro.ini", kWrite, row.creation, FILE_DISK | FILE_OVERRIDE_READONLY);
        ASSERT_TRUE(file);
        EXPECT_FALSE(TempDir::IsReadOnly("ro.ini"));
        EXPECT_EQ(file->Write(row.write, static_cast<DWORD>(std::string(row.write).size())), 1);
        file.reset(); // the destructor closes
        EXPECT_EQ(TempDir::ReadFile("ro.ini"), row.after);
        EXPECT_EQ(TempDir::IsReadOnly("ro.ini"), row.readOnly);
        TempDir::SetReadOnly("ro.ini", false);
    }
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_FALSE(OpenDisk("gone.ini", kWrite, 1, FILE_DISK | FILE_OVERRIDE_READONLY));
    EXPECT_EQ(BoxHead(), kOpenFailed + "(gone.ini)");
    EXPECT_FALSE(TempDir::Exists("gone.ini"));
}

TEST_F(HarvelTest, MemoryTransfersAndPositionsStayInsideTheBuffer) {
    GuardedBuffer memory;
    CFileHarvel& file = memory.file;
    EXPECT_EQ(file.SetPosition(4, FILE_POS_BEGIN), 4u);
    EXPECT_EQ(Got(file, 5), "1 ef");
    EXPECT_EQ(Got(file, 1), "0 "); // at the end, without a box
    const struct {
        LONG offset;
        DWORD origin;
        DWORD position;
    } moves[] = {{100, FILE_POS_BEGIN, 6}, {-100, FILE_POS_CURRENT, 0}, {-5, FILE_POS_BEGIN, 0},
                 {5, FILE_POS_END, 6},     {-100, FILE_POS_END, 0},     {-2, FILE_POS_END, 4}};
    for (const auto& move : moves)
        EXPECT_EQ(file.SetPosition(move.offset, move.origin), move.position) << move.offset;
    EXPECT_EQ(file.GetSize(), 6u);
    EXPECT_EQ(Got(file, 8), "1 ef"); // GetSize kept the position
    EXPECT_EQ(BoxCount(), 0u);
    file.SetPosition(0, FILE_POS_BEGIN);
    EXPECT_EQ(Wrote(file, "123"), "1 3");
    EXPECT_EQ(Wrote(file, "XYZUVW"), "0 3");
    EXPECT_EQ(BoxHead(), kWriteFailed + "()");
    EXPECT_EQ(Wrote(file, "Q"), "0 0");
    EXPECT_STREQ(memory.bytes, "#####123XYZ#####");
    boxes.Clear();
    FileOpenDesc desc; // memory mode without a buffer is refused
    desc.flags = FILE_MEMORY;
    desc.memSize = 100;
    CFileHarvel unbacked(desc);
    EXPECT_EQ(unbacked.Open(&desc), 0);
    EXPECT_EQ(BoxHead(), "Probleme: Pointeur memoire non valide!()");
    EXPECT_EQ(Wrote(unbacked, "x"), "0 0");
}

TEST_F(HarvelTest, SizeDeterminationCountsWritesAndReadsNothing) {
    FileOpenDesc desc("counted.bin", kRead, 0, FILE_OPEN_EXISTING);
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
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(file.SetPosition(0, FILE_POS_END), 0xFFFFFFFFu);
    EXPECT_EQ(file.GetPosition(), 0xFFFFFFFFu);
    ExpectBox("Probleme: SetPos depuis fin non autorise en mode determination de taille!\n",
              ERROR_SUCCESS, "CFileHarvel.cpp");
}
