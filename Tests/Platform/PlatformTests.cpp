// The POSIX layer must behave as KERNEL32 does where the program relies on it.
#include <dirent.h>
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
#include "TempDir.h"

namespace {

HANDLE OpenFile(const char* name, DWORD access, DWORD disposition,
                DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    return CreateFileA(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       attributes, nullptr);
}

// The last error of a call that had to fail; 0 when it succeeded after all.
DWORD OpenError(const char* name, DWORD access, DWORD disposition) {
    HANDLE file = OpenFile(name, access, disposition);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return 0;
    }
    return GetLastError();
}

std::string ReadAll(HANDLE file) {
    std::string text;
    char chunk[64];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    return text;
}

bool WriteText(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
                names.push_back(entry->d_name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t WriteBits(const char* path) {
    struct stat st;
    EXPECT_EQ(0, stat(path, &st));
    return st.st_mode & 0222;
}

std::string SystemText(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0,
        nullptr);
    std::string result = text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    return result;
}

// Faults must never leak into the next test, even when an expectation fails.
struct FaultScope {
    ~FaultScope() { Platform::ClearFaults(); }
};

int AnswerCancel(HWND, LPCSTR, LPCSTR, UINT) {
    return 2;
}

} // namespace

// Paths

TEST(Platform, BackslashPathReachesTheFile) {
    TempDir dir;
    TempDir::WriteFile("Player/Config.ini", "abc");
    HANDLE file = OpenFile("Player\\Config.ini", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ("abc", ReadAll(file));
    EXPECT_TRUE(CloseHandle(file));
}

TEST(Platform, FoldersInAnotherLetterCaseAreFound) {
    TempDir dir;
    TempDir::WriteFile("DATA/INI/x.ini", "x");
    TempDir::MakeDir("DATA/INI/English");
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, GetFileAttributesA("Data\\Ini\\x.ini"));
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, GetFileAttributesA("data\\ini\\X.INI"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("Data\\Ini\\English"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("DATA\\INI\\ENGLISH"));
}

TEST(Platform, SiblingFoldersDifferingInCaseAreBothSearched) {
    TempDir dir;
    TempDir::WriteFile("DATA/INI/x.ini", "x");
    TempDir::MakeDir("Data/Ini/English");
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, GetFileAttributesA("Data\\Ini\\x.ini"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("DATA\\INI\\English"));
}

TEST(Platform, NewFileKeepsItsWrittenNameInAFolderOfAnotherCase) {
    TempDir dir;
    TempDir::MakeDir("DATA/INI");
    HANDLE file = OpenFile("data\\ini\\New.ini", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    EXPECT_EQ(std::vector<std::string>{"New.ini"}, Listing("DATA/INI"));
}

TEST(Platform, CreatingAFileThatExistsInAnotherCaseRewritesIt) {
    TempDir dir;
    TempDir::WriteFile("Player/CONFIG.INI", "old contents");
    HANDLE file = OpenFile("player\\Config.ini", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_TRUE(WriteText(file, "new"));
    CloseHandle(file);
    EXPECT_EQ(std::vector<std::string>{"CONFIG.INI"}, Listing("Player"));
    EXPECT_EQ("new", TempDir::ReadFile("Player/CONFIG.INI"));
}

TEST(Platform, MissingFileAndMissingFolderGiveDifferentErrors) {
    TempDir dir;
    TempDir::WriteFile("Player/Config.ini", "");
    EXPECT_EQ(2u, OpenError("Player\\none.ini", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(3u, OpenError("Nowhere\\none.ini", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(3u, OpenError("Nowhere\\none.ini", GENERIC_WRITE, CREATE_ALWAYS));
    // A file where a folder should be is a missing path too.
    EXPECT_EQ(3u, OpenError("Player\\Config.ini\\x", GENERIC_READ, OPEN_EXISTING));

    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("Player\\none.ini"));
    EXPECT_EQ(2u, GetLastError());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("Nowhere\\none.ini"));
    EXPECT_EQ(3u, GetLastError());
    EXPECT_FALSE(DeleteFileA("Player\\none.ini"));
    EXPECT_EQ(2u, GetLastError());
    EXPECT_FALSE(DeleteFileA("Nowhere\\none.ini"));
    EXPECT_EQ(3u, GetLastError());
}

TEST(Platform, NamesWindowsRefusesAreRejected) {
    TempDir dir;
    EXPECT_EQ(123u, OpenError("a|b.ini", GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_EQ(123u, OpenError("a*.ini", GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_EQ(3u, OpenError("", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(206u, OpenError(std::string(300, 'a').c_str(), GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_TRUE(Listing(".").empty());
}

// Opening

TEST(Platform, WritingAReadOnlyFileIsDeniedEvenToRoot) {
    TempDir dir;
    TempDir::WriteFile("Player/Config.ini", "keep me");
    TempDir::SetReadOnly("Player/Config.ini", true);
    EXPECT_EQ(5u, OpenError("Player\\Config.ini", GENERIC_WRITE, OPEN_EXISTING));
    EXPECT_EQ(5u, OpenError("Player\\Config.ini", GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS));
    EXPECT_EQ(5u, OpenError("Player\\Config.ini", GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_EQ(5u, OpenError("Player\\Config.ini", GENERIC_READ, CREATE_ALWAYS));
    EXPECT_EQ(5u, OpenError("Player\\Config.ini", GENERIC_WRITE, TRUNCATE_EXISTING));
    EXPECT_EQ("keep me", TempDir::ReadFile("Player/Config.ini"));
    EXPECT_EQ(0u, OpenError("Player\\Config.ini", GENERIC_READ, OPEN_EXISTING));
}

TEST(Platform, CreateAlwaysTruncatesAnExistingFile) {
    TempDir dir;
    TempDir::WriteFile("Config.ini", "0123456789");
    HANDLE file = OpenFile("Config.ini", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(183u, GetLastError()); // Windows reports that the file was there
    EXPECT_TRUE(WriteText(file, "ab"));
    CloseHandle(file);
    EXPECT_EQ("ab", TempDir::ReadFile("Config.ini"));

    SetLastError(5);
    file = OpenFile("Other.ini", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ(0u, GetLastError());
    CloseHandle(file);
    EXPECT_EQ("", TempDir::ReadFile("Other.ini"));
}

TEST(Platform, DispositionsFollowWindows) {
    TempDir dir;
    TempDir::WriteFile("a.ini", "abc");
    EXPECT_EQ(80u, OpenError("a.ini", GENERIC_WRITE, CREATE_NEW));
    EXPECT_EQ(0u, OpenError("a.ini", GENERIC_READ, OPEN_ALWAYS));
    EXPECT_EQ("abc", TempDir::ReadFile("a.ini"));
    EXPECT_EQ(0u, OpenError("b.ini", GENERIC_READ, OPEN_ALWAYS));
    EXPECT_TRUE(TempDir::Exists("b.ini"));
    EXPECT_EQ(0u, OpenError("a.ini", GENERIC_WRITE, TRUNCATE_EXISTING));
    EXPECT_EQ("", TempDir::ReadFile("a.ini"));
    EXPECT_EQ(2u, OpenError("c.ini", GENERIC_WRITE, TRUNCATE_EXISTING));
    EXPECT_EQ(87u, OpenError("a.ini", GENERIC_READ, TRUNCATE_EXISTING));
    EXPECT_EQ(87u, OpenError("a.ini", GENERIC_READ, 0));
    EXPECT_EQ(87u, OpenError("a.ini", GENERIC_READ, 6));
}

TEST(Platform, OpeningAFolderIsDenied) {
    TempDir dir;
    TempDir::MakeDir("Player");
    EXPECT_EQ(5u, OpenError("Player", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(5u, OpenError("player", GENERIC_WRITE, CREATE_ALWAYS));
}

TEST(Platform, ReadOnlyAttributeAtCreationLeavesTheHandleWritable) {
    TempDir dir;
    HANDLE file = OpenFile("r.ini", GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_READONLY);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_TRUE(WriteText(file, "data"));
    CloseHandle(file);
    EXPECT_EQ("data", TempDir::ReadFile("r.ini"));
    EXPECT_EQ(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, GetFileAttributesA("r.ini"));
    EXPECT_EQ(0u, WriteBits("r.ini"));
}

// Reading, writing, seeking

TEST(Platform, ReadStopsAtEndOfFileWithAShortCount) {
    TempDir dir;
    TempDir::WriteFile("a.txt", "hello");
    HANDLE file = OpenFile("a.txt", GENERIC_READ, OPEN_EXISTING);
    char buffer[100];
    DWORD got = 99;
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(5u, got);
    EXPECT_EQ(0, memcmp(buffer, "hello", 5));
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(0u, got);
    CloseHandle(file);
}

TEST(Platform, TransfersAgainstTheHandlesAccessAreDenied) {
    TempDir dir;
    TempDir::WriteFile("a.txt", "hello");
    char buffer[8];
    DWORD count = 7;
    HANDLE reader = OpenFile("a.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
    EXPECT_EQ(5u, GetLastError());
    EXPECT_EQ(0u, count);
    EXPECT_FALSE(FlushFileBuffers(reader));
    EXPECT_EQ(5u, GetLastError());
    CloseHandle(reader);
    HANDLE writer = OpenFile("a.txt", GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_FALSE(ReadFile(writer, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(5u, GetLastError());
    EXPECT_TRUE(FlushFileBuffers(writer));
    CloseHandle(writer);
}

TEST(Platform, SetFilePointerMovesFromEachOrigin) {
    TempDir dir;
    TempDir::WriteFile("d.bin", "0123456789");
    HANDLE file = OpenFile("d.bin", GENERIC_READ, OPEN_EXISTING);
    char two[2];
    DWORD got = 0;
    EXPECT_EQ(4u, SetFilePointer(file, 4, nullptr, FILE_BEGIN));
    ASSERT_TRUE(ReadFile(file, two, 2, &got, nullptr));
    EXPECT_EQ("45", std::string(two, got));
    EXPECT_EQ(3u, SetFilePointer(file, -3, nullptr, FILE_CURRENT));
    EXPECT_EQ(9u, SetFilePointer(file, -1, nullptr, FILE_END));
    EXPECT_EQ(10u, SetFilePointer(file, 0, nullptr, FILE_END));
    EXPECT_EQ(25u, SetFilePointer(file, 15, nullptr, FILE_END)); // past the end is allowed
    CloseHandle(file);
}

TEST(Platform, SetFilePointerJoinsTheHighPart) {
    TempDir dir;
    TempDir::WriteFile("d.bin", "0123456789");
    HANDLE file = OpenFile("d.bin", GENERIC_READ, OPEN_EXISTING);
    LONG high = 1;
    EXPECT_EQ(0x10u, SetFilePointer(file, 0x10, &high, FILE_BEGIN)); // 4 GB + 16
    EXPECT_EQ(1, high);
    high = -1; // minus 4 GB
    EXPECT_EQ(0x10u, SetFilePointer(file, 0, &high, FILE_CURRENT));
    EXPECT_EQ(0, high);
    high = -1; // minus one, spread over both halves
    EXPECT_EQ(0x0Fu, SetFilePointer(file, -1, &high, FILE_CURRENT));
    EXPECT_EQ(0, high);
    CloseHandle(file);
}

TEST(Platform, SetFilePointerRefusesBadMoves) {
    TempDir dir;
    TempDir::WriteFile("d.bin", "0123456789");
    HANDLE file = OpenFile("d.bin", GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(5u, SetFilePointer(file, 5, nullptr, FILE_BEGIN));
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, -6, nullptr, FILE_CURRENT));
    EXPECT_EQ(131u, GetLastError());
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, 0, nullptr, 3));
    EXPECT_EQ(87u, GetLastError());
    EXPECT_EQ(5u, SetFilePointer(file, 0, nullptr, FILE_CURRENT)); // unmoved

    // 0xFFFFFFFF is a real position: the last error says so.
    EXPECT_EQ(0x7FFFFFFFu, SetFilePointer(file, 0x7FFFFFFF, nullptr, FILE_BEGIN));
    EXPECT_EQ(0xFFFFFFFEu, SetFilePointer(file, 0x7FFFFFFF, nullptr, FILE_CURRENT));
    SetLastError(5);
    EXPECT_EQ(0xFFFFFFFFu, SetFilePointer(file, 1, nullptr, FILE_CURRENT));
    EXPECT_EQ(0u, GetLastError());
    // Beyond 4 GB a caller without the high part could not learn where it is.
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(file, 1, nullptr, FILE_CURRENT));
    EXPECT_EQ(87u, GetLastError());
    LONG high = 0;
    EXPECT_EQ(0xFFFFFFFFu, SetFilePointer(file, 0, &high, FILE_CURRENT));
    EXPECT_EQ(0, high);
    CloseHandle(file);
}

TEST(Platform, UnknownHandlesFailWithInvalidHandle) {
    TempDir dir;
    int notAHandle = 0;
    char buffer[4];
    DWORD got = 0;
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
    EXPECT_EQ(6u, GetLastError());
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(6u, GetLastError());
    EXPECT_FALSE(CloseHandle(&notAHandle));
    EXPECT_EQ(6u, GetLastError());
    EXPECT_FALSE(ReadFile(&notAHandle, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(6u, GetLastError());
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(nullptr, 0, nullptr, FILE_BEGIN));
    EXPECT_EQ(6u, GetLastError());

    TempDir::WriteFile("a.txt", "a");
    HANDLE file = OpenFile("a.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file)); // closed twice
    EXPECT_EQ(6u, GetLastError());
}

// Errors and their texts

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

TEST(Platform, UnknownCodeGivesNoTextAndNoBuffer) {
    char* text = reinterpret_cast<char*>(&text); // must be replaced by null
    const DWORD length =
        FormatMessageA(0x1300, nullptr, 12345, 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    EXPECT_EQ(0u, length);
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(317u, GetLastError());
}

TEST(Platform, FormatMessageFillsACallerBufferWithinItsSize) {
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

// Attributes, search, deletion, renaming

TEST(Platform, AttributesTellFoldersReadOnlyAndOrdinaryFiles) {
    TempDir dir;
    TempDir::WriteFile("Player/a.ini", "a");
    TempDir::WriteFile("Player/r.ini", "r");
    TempDir::SetReadOnly("Player/r.ini", true);
    EXPECT_EQ(0x10u, GetFileAttributesA("Player"));
    EXPECT_EQ(0x20u, GetFileAttributesA("Player\\a.ini"));
    EXPECT_EQ(0x21u, GetFileAttributesA("PLAYER\\R.INI"));
}

TEST(Platform, ReadOnlyAttributeRemovesEveryWriteBitAndClearingRestoresOwnerWrite) {
    TempDir dir;
    TempDir::WriteFile("a.ini", "a");
    ASSERT_EQ(0, chmod("a.ini", 0666));
    EXPECT_TRUE(SetFileAttributesA("A.INI", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(0u, WriteBits("a.ini"));
    EXPECT_EQ(5u, OpenError("a.ini", GENERIC_WRITE, OPEN_EXISTING));
    EXPECT_TRUE(SetFileAttributesA("a.ini", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(static_cast<mode_t>(S_IWUSR), WriteBits("a.ini"));
    EXPECT_EQ(0u, OpenError("a.ini", GENERIC_WRITE, OPEN_EXISTING));
    EXPECT_FALSE(SetFileAttributesA("b.ini", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(2u, GetLastError());
}

TEST(Platform, FolderAttributesStayAsTheyAre) {
    TempDir dir;
    TempDir::MakeDir("Player");
    EXPECT_TRUE(SetFileAttributesA("Player", FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(SetFileAttributesA("Player", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("Player"));
    EXPECT_EQ(0u, OpenError("Player\\new.ini", GENERIC_WRITE, CREATE_NEW));
}

TEST(Platform, FindMatchesAPatternIgnoringCase) {
    TempDir dir;
    TempDir::WriteFile("DATA/INI/a.INI", "a");
    TempDir::WriteFile("DATA/INI/b.txt", "b");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("Data\\Ini\\*.ini", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_STREQ("a.INI", data.cFileName);
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, data.dwFileAttributes);
    EXPECT_EQ(1u, data.nFileSizeLow);
    EXPECT_TRUE(FindClose(search));

    search = FindFirstFileA("data\\ini\\?.TXT", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_STREQ("b.txt", data.cFileName);
    EXPECT_TRUE(FindClose(search));

    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("Data\\Ini\\*.cfg", &data));
    EXPECT_EQ(2u, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("Nowhere\\*.ini", &data));
    EXPECT_EQ(3u, GetLastError());
}

TEST(Platform, FindOfAFolderPathFindsTheFolderItself) {
    TempDir dir;
    TempDir::MakeDir("DATA/INI/English");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("Data\\Ini\\english", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_STREQ("English", data.cFileName);
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, data.dwFileAttributes);
    EXPECT_TRUE(FindClose(search));

    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("Data\\Ini\\English\\", &data));
    EXPECT_EQ(2u, GetLastError());
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("Data\\Ini\\French", &data));
    EXPECT_EQ(2u, GetLastError());
}

TEST(Platform, SearchAndFileHandlesDoNotMix) {
    TempDir dir;
    TempDir::WriteFile("a.ini", "a");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("a.ini", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    EXPECT_FALSE(CloseHandle(search));
    EXPECT_EQ(6u, GetLastError());
    EXPECT_TRUE(FindClose(search));
    EXPECT_FALSE(FindClose(search));
    EXPECT_EQ(6u, GetLastError());
    HANDLE file = OpenFile("a.ini", GENERIC_READ, OPEN_EXISTING);
    EXPECT_FALSE(FindClose(file));
    EXPECT_TRUE(CloseHandle(file));
}

TEST(Platform, DeleteRefusesReadOnlyFilesAndFolders) {
    TempDir dir;
    TempDir::WriteFile("Player/a.ini", "a");
    TempDir::WriteFile("Player/r.ini", "r");
    TempDir::SetReadOnly("Player/r.ini", true);
    EXPECT_FALSE(DeleteFileA("player\\R.ini"));
    EXPECT_EQ(5u, GetLastError());
    EXPECT_FALSE(DeleteFileA("Player"));
    EXPECT_EQ(5u, GetLastError());
    EXPECT_TRUE(DeleteFileA("PLAYER\\A.INI"));
    EXPECT_EQ(std::vector<std::string>{"r.ini"}, Listing("Player"));
}

TEST(Platform, MoveNeedsReplaceExistingToOverwrite) {
    TempDir dir;
    TempDir::WriteFile("new.ini", "new");
    TempDir::WriteFile("Config.ini", "old");
    EXPECT_FALSE(MoveFileExA("new.ini", "Config.ini", 0));
    EXPECT_EQ(183u, GetLastError());
    EXPECT_EQ("old", TempDir::ReadFile("Config.ini"));
    EXPECT_TRUE(
        MoveFileExA("new.ini", "CONFIG.INI", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(std::vector<std::string>{"Config.ini"}, Listing("."));
    EXPECT_EQ("new", TempDir::ReadFile("Config.ini"));
}

TEST(Platform, MoveOverAReadOnlyTargetIsDenied) {
    TempDir dir;
    TempDir::WriteFile("new.ini", "new");
    TempDir::WriteFile("Config.ini", "old");
    TempDir::SetReadOnly("Config.ini", true);
    EXPECT_FALSE(MoveFileExA("new.ini", "Config.ini", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(5u, GetLastError());
    EXPECT_EQ("old", TempDir::ReadFile("Config.ini"));
    EXPECT_EQ("new", TempDir::ReadFile("new.ini"));
}

TEST(Platform, MoveReportsMissingSourceAndMissingTargetFolder) {
    TempDir dir;
    TempDir::WriteFile("new.ini", "new");
    EXPECT_FALSE(MoveFileExA("none.ini", "x.ini", 0));
    EXPECT_EQ(2u, GetLastError());
    EXPECT_FALSE(MoveFileExA("new.ini", "Nowhere\\x.ini", 0));
    EXPECT_EQ(3u, GetLastError());
    EXPECT_FALSE(MoveFileExA("new.ini", "x.ini", 0x4)); // delay until reboot
    EXPECT_EQ(87u, GetLastError());
    EXPECT_TRUE(TempDir::Exists("new.ini"));
}

TEST(Platform, MoveCanChangeOnlyTheLetterCase) {
    TempDir dir;
    TempDir::WriteFile("Player/config.ini", "c");
    EXPECT_TRUE(MoveFileExA("Player\\config.ini", "Player\\Config.ini", 0));
    EXPECT_EQ(std::vector<std::string>{"Config.ini"}, Listing("Player"));
}

// Injected faults

TEST(Platform, WriteFaultActsAsAFullDisk) {
    TempDir dir;
    FaultScope faults;
    HANDLE file = OpenFile("c.ini", GENERIC_WRITE, CREATE_ALWAYS);
    Platform::SetWriteFault(10, ERROR_DISK_FULL);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "123456", 6, &written, nullptr));
    EXPECT_EQ(6u, written);
    EXPECT_FALSE(WriteFile(file, "abcdef", 6, &written, nullptr));
    EXPECT_EQ(112u, GetLastError());
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
    EXPECT_FALSE(FlushFileBuffers(file));
    EXPECT_EQ(1117u, GetLastError());
    EXPECT_FALSE(FlushFileBuffers(file));
    EXPECT_FALSE(MoveFileExA("a.ini", "b.ini", 0));
    EXPECT_EQ(32u, GetLastError());
    EXPECT_TRUE(TempDir::Exists("a.ini"));
    Platform::ClearFaults();
    EXPECT_TRUE(FlushFileBuffers(file));
    CloseHandle(file);
    EXPECT_TRUE(MoveFileExA("a.ini", "b.ini", 0));
}

// Message boxes and the runtime

TEST(Platform, MessageBoxesGoToTheSink) {
    BoxCapture boxes;
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "Missing language pack", "WARNING", 0x1030));
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, "second", "ERROR", 0x1030));
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ("WARNING", boxes.Boxes()[0].caption);
    EXPECT_EQ("Missing language pack", boxes.Boxes()[0].text);
    EXPECT_EQ(0x1030u, boxes.Boxes()[0].style);
    EXPECT_EQ("second", boxes.Boxes()[1].text);
}

TEST(Platform, SinkAnswerIsTheBoxResult) {
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

TEST(Platform, ChmodSetsOrClearsTheReadOnlyState) {
    TempDir dir;
    TempDir::WriteFile("Player/Config.ini", "c");
    ASSERT_EQ(0, chmod("Player/Config.ini", 0664));
    EXPECT_EQ(0, _chmod("player\\CONFIG.ini", _S_IREAD));
    EXPECT_EQ(0u, WriteBits("Player/Config.ini"));
    EXPECT_EQ(0, _chmod("Player\\Config.ini", _S_IREAD | _S_IWRITE));
    EXPECT_EQ(static_cast<mode_t>(S_IWUSR), WriteBits("Player/Config.ini"));
    errno = 0;
    EXPECT_EQ(-1, _chmod("Player\\none.ini", _S_IWRITE));
    EXPECT_EQ(ENOENT, errno);
}
