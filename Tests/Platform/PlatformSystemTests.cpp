// Error texts, attributes, search, deletion, renaming, faults and message boxes must behave as
// Windows does.
#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "Platform/Posix/PosixErrors.h"
#include "Platform/Posix/PosixHooks.h"
#include "Platform/Win32.h"
#include "PlatformTestSupport.h"
#include "TempDir.h"

using namespace PlatformTest;

namespace {

int AnswerCancel(HWND, LPCSTR, LPCSTR, UINT) {
    return 2;
}

} // namespace

TEST(Platform, SystemTextsAreTheEnglishSentencesEndingInCrLf) {
    EXPECT_EQ("The system cannot find the file specified.\r\n", SystemText(2));
    EXPECT_EQ("The system cannot find the path specified.\r\n", SystemText(3));
    EXPECT_EQ("Access is denied.\r\n", SystemText(5));
    EXPECT_EQ("The handle is invalid.\r\n", SystemText(6));
    EXPECT_EQ("The process cannot access the file because it is being used by another "
              "process.\r\n",
              SystemText(32));
    EXPECT_EQ("The file exists.\r\n", SystemText(80));
    EXPECT_EQ("The parameter is incorrect.\r\n", SystemText(87));
    EXPECT_EQ("There is not enough space on the disk.\r\n", SystemText(112));
    EXPECT_EQ("An attempt was made to move the file pointer before the beginning of the file.\r\n",
              SystemText(131));
}

TEST(Platform, EveryMappedErrnoHasASystemText) {
    const int errs[] = {ENOENT, ENOTDIR, EACCES,    EPERM,        EISDIR, EROFS,  EBADF,
                        EMFILE, ENOMEM,  EXDEV,     EBUSY,        EEXIST, EINVAL, ENOSPC,
                        EDQUOT, ELOOP,   ENOTEMPTY, ENAMETOOLONG, ENOSYS, EIO,    EPROTO};
    for (int err : errs) {
        const std::string text = SystemText(Platform::WinErrorFromErrno(err));
        EXPECT_GE(text.size(), 3u) << "errno " << err;
        EXPECT_EQ("\r\n", text.substr(text.size() - 2)) << "errno " << err;
    }
    EXPECT_EQ(112u, Platform::WinErrorFromErrno(ENOSPC));
    EXPECT_EQ(5u, Platform::WinErrorFromErrno(EACCES));
}

TEST(Platform, FormatMessageGivesNoTextForAnUnknownCodeAndStaysInTheBuffer) {
    char* text = reinterpret_cast<char*>(&text); // must be replaced by null
    const DWORD length =
        FormatMessageA(0x1300, nullptr, 12345, 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    EXPECT_EQ(0u, length);
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(317u, GetLastError());
    char buffer[32];
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    EXPECT_EQ(19u, FormatMessageA(flags, nullptr, 5, 0, buffer, sizeof buffer, nullptr));
    EXPECT_STREQ("Access is denied.\r\n", buffer);

    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(0u, FormatMessageA(flags, nullptr, 5, 0, buffer, 8, nullptr));
    EXPECT_EQ(122u, GetLastError());
    EXPECT_EQ(std::string(24, 'x'), std::string(buffer + 8, 24));
    EXPECT_EQ(0u, FormatMessageA(flags, nullptr, 5, 0, nullptr, 8, nullptr));
    EXPECT_EQ(87u, GetLastError());
}

TEST(Platform, LocalMemoryIsZeroedAndFreedOnce) {
    unsigned char* block = static_cast<unsigned char*>(LocalAlloc(LPTR, 64));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(64, std::count(block, block + 64, 0));
    EXPECT_EQ(nullptr, LocalFree(block));
    int stray = 0;
    EXPECT_EQ(&stray, LocalFree(&stray));
    EXPECT_EQ(6u, GetLastError());
    EXPECT_EQ(nullptr, LocalFree(nullptr));
}

TEST(Platform, AttributesFollowTheWriteBitsAndLeaveFoldersAlone) {
    TempDir dir;
    TempDir::WriteFile("Player/a.ini", "a");
    TempDir::WriteFile("Player/r.ini", "r");
    TempDir::SetReadOnly("Player/r.ini", true);
    EXPECT_EQ(0x10u, GetFileAttributesA("Player"));
    EXPECT_EQ(0x20u, GetFileAttributesA("Player\\a.ini"));
    EXPECT_EQ(0x21u, GetFileAttributesA("PLAYER\\R.INI"));
    // Setting read-only removes every write bit; clearing it restores the owner's.
    TempDir::WriteFile("a.ini", "a");
    ASSERT_EQ(0, chmod("a.ini", 0666));
    EXPECT_TRUE(SetFileAttributesA("A.INI", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(0u, WriteBits("a.ini"));
    EXPECT_EQ(5u, OpenError("a.ini", GENERIC_WRITE, OPEN_EXISTING));
    EXPECT_TRUE(SetFileAttributesA("a.ini", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<mode_t>(S_IWUSR), WriteBits("a.ini"));
    EXPECT_EQ(0u, OpenError("a.ini", GENERIC_WRITE, OPEN_EXISTING));
    EXPECT_EQ(2u, ErrorOf(SetFileAttributesA("b.ini", FILE_ATTRIBUTE_NORMAL)));
    EXPECT_TRUE(SetFileAttributesA("Player", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(SetFileAttributesA("Player", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("Player"));
    EXPECT_EQ(0u, OpenError("Player\\new.ini", GENERIC_WRITE, CREATE_NEW));
    // The runtime's _chmod does the same.
    ASSERT_EQ(0, chmod("a.ini", 0666));
    EXPECT_EQ(0, _chmod("A.ini", _S_IREAD));
    EXPECT_EQ(0u, WriteBits("a.ini"));
    EXPECT_EQ(0, _chmod("a.INI", _S_IREAD | _S_IWRITE));
    EXPECT_EQ(static_cast<mode_t>(S_IWUSR), WriteBits("a.ini"));
    errno = 0;
    EXPECT_EQ(-1, _chmod("none.ini", _S_IWRITE));
    EXPECT_EQ(ENOENT, errno);
}

TEST(Platform, FindMatchesAPatternOrAFolderIgnoringCase) {
    TempDir dir;
    TempDir::WriteFile("DATA/INI/a.INI", "a");
    TempDir::WriteFile("DATA/INI/b.txt", "b");
    TempDir::MakeDir("DATA/INI/English");
    const struct {
        const char* pattern;
        const char* name;
        DWORD attributes;
    } rows[] = {{"Data\\Ini\\*.ini", "a.INI", FILE_ATTRIBUTE_ARCHIVE},
                {"data\\ini\\?.TXT", "b.txt", FILE_ATTRIBUTE_ARCHIVE},
                {"Data\\Ini\\english", "English", FILE_ATTRIBUTE_DIRECTORY}};
    WIN32_FIND_DATAA data;
    for (const auto& row : rows) {
        HANDLE search = FindFirstFileA(row.pattern, &data);
        ASSERT_NE(INVALID_HANDLE_VALUE, search) << row.pattern;
        EXPECT_STREQ(row.name, data.cFileName);
        EXPECT_EQ(row.attributes, data.dwFileAttributes);
        EXPECT_TRUE(FindClose(search));
    }
    for (const char* missing : {"Data\\Ini\\*.cfg", "Data\\Ini\\English\\", "Data\\Ini\\French"})
        EXPECT_EQ(2u, ErrorOf(FindFirstFileA(missing, &data) != INVALID_HANDLE_VALUE)) << missing;
    EXPECT_EQ(3u, ErrorOf(FindFirstFileA("Nowhere\\*.ini", &data) != INVALID_HANDLE_VALUE));
}

TEST(Platform, SearchAndFileHandlesDoNotMix) {
    TempDir dir;
    TempDir::WriteFile("a.ini", "a");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("a.ini", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_EQ(1u, data.nFileSizeLow);
    EXPECT_EQ(6u, ErrorOf(CloseHandle(search)));
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(6u, ErrorOf(FindClose(search)));
    HANDLE file = OpenFile("a.ini", GENERIC_READ, OPEN_EXISTING);
    EXPECT_FALSE(FindClose(file));
    EXPECT_TRUE(CloseHandle(file));
}

TEST(Platform, DeleteRefusesReadOnlyFilesAndFolders) {
    TempDir dir;
    TempDir::WriteFile("Player/a.ini", "a");
    TempDir::WriteFile("Player/r.ini", "r");
    TempDir::SetReadOnly("Player/r.ini", true);
    EXPECT_EQ(5u, ErrorOf(DeleteFileA("player\\R.ini")));
    EXPECT_EQ(5u, ErrorOf(DeleteFileA("Player")));
    EXPECT_TRUE(DeleteFileA("PLAYER\\A.INI"));
    EXPECT_EQ(std::vector<std::string>{"r.ini"}, Listing("Player"));
}

TEST(Platform, MoveReplacesOnlyWhenAskedAndAllowed) {
    TempDir dir;
    TempDir::WriteFile("new.ini", "new");
    TempDir::WriteFile("Config.ini", "old");
    EXPECT_EQ(183u, ErrorOf(MoveFileExA("new.ini", "Config.ini", 0)));
    EXPECT_EQ(2u, ErrorOf(MoveFileExA("none.ini", "x.ini", 0)));
    EXPECT_EQ(3u, ErrorOf(MoveFileExA("new.ini", "Nowhere\\x.ini", 0)));
    EXPECT_EQ(87u, ErrorOf(MoveFileExA("new.ini", "x.ini", 0x4))); // delay until reboot
    TempDir::SetReadOnly("Config.ini", true);
    EXPECT_EQ(5u, ErrorOf(MoveFileExA("new.ini", "Config.ini", MOVEFILE_REPLACE_EXISTING)));
    EXPECT_EQ("old", TempDir::ReadFile("Config.ini"));
    TempDir::SetReadOnly("Config.ini", false);
    EXPECT_TRUE(
        MoveFileExA("new.ini", "CONFIG.INI", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(std::vector<std::string>{"Config.ini"}, Listing("."));
    EXPECT_EQ("new", TempDir::ReadFile("Config.ini"));
    EXPECT_TRUE(MoveFileExA("Config.ini", "config.ini", 0)); // only the letter case changes
    EXPECT_EQ(std::vector<std::string>{"config.ini"}, Listing("."));
}

TEST(Platform, WriteFaultActsAsAFullDisk) {
    TempDir dir;
    FaultScope faults;
    HANDLE file = OpenFile("c.ini", GENERIC_WRITE, CREATE_ALWAYS);
    Platform::SetWriteFault(10, ERROR_DISK_FULL);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "123456", 6, &written, nullptr));
    EXPECT_EQ(6u, written);
    EXPECT_EQ(112u, ErrorOf(WriteFile(file, "abcdef", 6, &written, nullptr)));
    EXPECT_EQ(4u, written);
    EXPECT_FALSE(WriteFile(file, "z", 1, &written, nullptr));
    EXPECT_EQ(0u, written);
    Platform::ClearFaults();
    EXPECT_TRUE(WriteFile(file, "!", 1, &written, nullptr));
    CloseHandle(file);
    EXPECT_EQ("123456abcd!", TempDir::ReadFile("c.ini"));
}

TEST(Platform, FlushAndMoveFaultsLastUntilCleared) {
    TempDir dir;
    FaultScope faults;
    TempDir::WriteFile("a.ini", "a");
    HANDLE file = OpenFile("a.ini", GENERIC_WRITE, OPEN_EXISTING);
    Platform::SetFlushFault(ERROR_IO_DEVICE);
    Platform::SetMoveFault(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(1117u, ErrorOf(FlushFileBuffers(file)));
    EXPECT_FALSE(FlushFileBuffers(file));
    EXPECT_EQ(32u, ErrorOf(MoveFileExA("a.ini", "b.ini", 0)));
    EXPECT_TRUE(TempDir::Exists("a.ini"));
    Platform::ClearFaults();
    EXPECT_TRUE(FlushFileBuffers(file));
    CloseHandle(file);
    EXPECT_TRUE(MoveFileExA("a.ini", "b.ini", 0));
}

TEST(Platform, MessageBoxesGoToTheSinkWhoseAnswerIsTheResult) {
    BoxCapture boxes;
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Missing language pack", "WARNING", 0x1030));
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "second", "ERROR", 0x1030));
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ("WARNING", boxes.Boxes()[0].caption);
    EXPECT_EQ("Missing language pack", boxes.Boxes()[0].text);
    EXPECT_EQ(0x1030u, boxes.Boxes()[0].style);
    EXPECT_EQ("second", boxes.Boxes()[1].text);
    Platform::MessageBoxSink previous = Platform::SetMessageBoxSink(&AnswerCancel);
    EXPECT_EQ(2, MessageBoxA(nullptr, "t", "c", 0));
    EXPECT_EQ(&AnswerCancel, Platform::SetMessageBoxSink(previous));
}

TEST(Platform, DefaultSinkPrintsCaptionAndTextToStandardError) {
    Platform::MessageBoxSink previous = Platform::SetMessageBoxSink(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Cannot create dialog window!", "WARNING", 0x1030));
    const std::string printed = testing::internal::GetCapturedStderr();
    Platform::SetMessageBoxSink(previous);
    EXPECT_NE(std::string::npos, printed.find("WARNING"));
    EXPECT_NE(std::string::npos, printed.find("Cannot create dialog window!"));
}
