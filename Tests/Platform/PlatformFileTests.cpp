// Paths, opening, reading, writing and seeking must behave as KERNEL32 does.
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Win32.h"
#include "PlatformTestSupport.h"
#include "TempDir.h"

using namespace PlatformTest;
using Names = std::vector<std::string>;

TEST(Platform, BackslashPathsAndAnyLetterCaseReachTheFile) {
    TempDir dir;
    TempDir::WriteFile("Player/Config.ini", "abc");
    TempDir::WriteFile("DATA/INI/x.ini", "x");
    TempDir::MakeDir("DATA/INI/English");
    TempDir::MakeDir("Data/Ini/French"); // a sibling that differs in case is searched too
    HANDLE file = OpenFile("Player\\Config.ini", GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_EQ("abc", ReadAll(file));
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, GetFileAttributesA("Data\\Ini\\x.ini"));
    EXPECT_EQ(FILE_ATTRIBUTE_ARCHIVE, GetFileAttributesA("data\\ini\\X.INI"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("Data\\Ini\\English"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("DATA\\INI\\ENGLISH"));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("DATA\\INI\\French"));
}

TEST(Platform, CreatedFilesKeepTheExistingOrWrittenName) {
    TempDir dir;
    TempDir::MakeDir("DATA/INI");
    TempDir::WriteFile("Player/CONFIG.INI", "old contents");
    HANDLE file = OpenFile("data\\ini\\New.ini", GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    EXPECT_EQ(Names{"New.ini"}, Listing("DATA/INI"));
    file = OpenFile("player\\Config.ini", GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_TRUE(WriteText(file, "new"));
    CloseHandle(file);
    EXPECT_EQ(Names{"CONFIG.INI"}, Listing("Player"));
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
    EXPECT_EQ(2u, ErrorOf(GetFileAttributesA("Player\\none.ini") != INVALID_FILE_ATTRIBUTES));
    EXPECT_EQ(3u, ErrorOf(GetFileAttributesA("Nowhere\\none.ini") != INVALID_FILE_ATTRIBUTES));
    EXPECT_EQ(2u, ErrorOf(DeleteFileA("Player\\none.ini")));
    EXPECT_EQ(3u, ErrorOf(DeleteFileA("Nowhere\\none.ini")));
    // Names Windows refuses.
    EXPECT_EQ(123u, OpenError("a|b.ini", GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_EQ(123u, OpenError("a*.ini", GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_EQ(3u, OpenError("", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(206u, OpenError(std::string(300, 'a').c_str(), GENERIC_WRITE, CREATE_ALWAYS));
    EXPECT_EQ(Names{"Player"}, Listing("."));
}

TEST(Platform, WritingAReadOnlyFileOrOpeningAFolderIsDeniedEvenToRoot) {
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
    EXPECT_EQ(5u, OpenError("Player", GENERIC_READ, OPEN_EXISTING));
    EXPECT_EQ(5u, OpenError("player", GENERIC_WRITE, CREATE_ALWAYS));
}

TEST(Platform, DispositionsFollowWindows) {
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

    EXPECT_EQ(80u, OpenError("Config.ini", GENERIC_WRITE, CREATE_NEW));
    EXPECT_EQ(0u, OpenError("Config.ini", GENERIC_READ, OPEN_ALWAYS));
    EXPECT_EQ("ab", TempDir::ReadFile("Config.ini"));
    EXPECT_EQ(0u, OpenError("b.ini", GENERIC_READ, OPEN_ALWAYS));
    EXPECT_TRUE(TempDir::Exists("b.ini"));
    EXPECT_EQ(0u, OpenError("Config.ini", GENERIC_WRITE, TRUNCATE_EXISTING));
    EXPECT_EQ("", TempDir::ReadFile("Config.ini"));
    EXPECT_EQ(2u, OpenError("c.ini", GENERIC_WRITE, TRUNCATE_EXISTING));
    for (DWORD bad : {DWORD(TRUNCATE_EXISTING), 0u, 6u})
        EXPECT_EQ(87u, OpenError("Config.ini", GENERIC_READ, bad)) << bad;
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

TEST(Platform, ReadsEndWithAShortCountAndTransfersFollowTheAccess) {
    TempDir dir;
    TempDir::WriteFile("a.txt", "hello");
    char buffer[100];
    DWORD count = 99;
    HANDLE reader = OpenFile("a.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_TRUE(ReadFile(reader, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ("hello", std::string(buffer, count));
    EXPECT_TRUE(ReadFile(reader, buffer, sizeof buffer, &count, nullptr));
    EXPECT_EQ(0u, count);
    count = 7;
    EXPECT_EQ(5u, ErrorOf(WriteFile(reader, "x", 1, &count, nullptr)));
    EXPECT_EQ(0u, count);
    EXPECT_EQ(5u, ErrorOf(FlushFileBuffers(reader)));
    CloseHandle(reader);
    HANDLE writer = OpenFile("a.txt", GENERIC_WRITE, OPEN_EXISTING);
    EXPECT_EQ(5u, ErrorOf(ReadFile(writer, buffer, sizeof buffer, &count, nullptr)));
    EXPECT_TRUE(FlushFileBuffers(writer));
    CloseHandle(writer);
}

TEST(Platform, SetFilePointerMovesFromEachOriginAndJoinsTheHighPart) {
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
    EXPECT_EQ(6u, ErrorOf(CloseHandle(INVALID_HANDLE_VALUE)));
    EXPECT_EQ(6u, ErrorOf(CloseHandle(nullptr)));
    EXPECT_EQ(6u, ErrorOf(CloseHandle(&notAHandle)));
    EXPECT_EQ(6u, ErrorOf(ReadFile(&notAHandle, buffer, sizeof buffer, &got, nullptr)));
    EXPECT_EQ(INVALID_SET_FILE_POINTER, SetFilePointer(nullptr, 0, nullptr, FILE_BEGIN));
    EXPECT_EQ(6u, GetLastError());
    TempDir::WriteFile("a.txt", "a");
    HANDLE file = OpenFile("a.txt", GENERIC_READ, OPEN_EXISTING);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(6u, ErrorOf(CloseHandle(file))); // closed twice
}
