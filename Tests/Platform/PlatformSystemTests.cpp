// Error texts, local memory and code pages must behave as Windows does.
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Posix/PosixHooks.h"

TEST(Platform, FormatMessageGivesNoTextForAnUnknownCodeAndStaysInTheBuffer) {
    char* text = reinterpret_cast<char*>(&text); // must be replaced by null
    EXPECT_EQ(0u, FormatMessageA(0x1300, nullptr, 12345, 0x400, reinterpret_cast<LPSTR>(&text), 0,
                                 nullptr));
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

TEST(Platform, CodePagesAreTheLocalesCharacterSet) {
    const struct {
        const char* locale;
        UINT codePage;
    } rows[] = {{"C.UTF-8", CP_UTF8},
                {"C", 1252},
                {"POSIX", 1252},
                {"no_SUCH.locale", 1252},
                {"xx_XX.utf8", CP_UTF8}};
    for (const auto& row : rows) {
        setenv("LC_ALL", row.locale, 1);
        EXPECT_EQ(GetACP(), row.codePage) << row.locale;
        EXPECT_EQ(GetConsoleCP(), row.codePage) << row.locale;
        EXPECT_EQ(GetConsoleOutputCP(), row.codePage) << row.locale;
    }
    unsetenv("LC_ALL");
    // Windows' own answers for a buffer too small and a code page it does not know here.
    WCHAR wide[2];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(850, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xC0\xAF", 2, wide, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}
