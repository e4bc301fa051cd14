// Small vocabulary of the platform tests.
#pragma once

#include <dirent.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Posix/PosixHooks.h"
#include "Platform/Win32.h"

namespace PlatformTest {

inline std::vector<std::string> Listing(const std::string& folder) {
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

inline mode_t WriteBits(const char* path) {
    struct stat st;
    EXPECT_EQ(0, stat(path, &st));
    return st.st_mode & 0222;
}

inline std::string SystemText(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0,
        nullptr);
    std::string result = text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    return result;
}

} // namespace PlatformTest
