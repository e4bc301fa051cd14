// Small vocabulary of the platform tests over a temporary folder.
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

inline HANDLE OpenFile(const char* name, DWORD access, DWORD disposition,
                       DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    return CreateFileA(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       attributes, nullptr);
}

// The last error of an open that had to fail; 0 when it succeeded after all.
inline DWORD OpenError(const char* name, DWORD access, DWORD disposition) {
    HANDLE file = OpenFile(name, access, disposition);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return 0;
    }
    return GetLastError();
}

// The last error after a call that had to fail; 0 when it succeeded after all.
inline DWORD ErrorOf(bool succeeded) {
    return succeeded ? 0 : GetLastError();
}

inline std::string ReadAll(HANDLE file) {
    std::string text;
    char chunk[64];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    return text;
}

inline bool WriteText(HANDLE file, const std::string& text) {
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

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

// Faults must never leak into the next test, even when an expectation fails.
struct FaultScope {
    ~FaultScope() { Platform::ClearFaults(); }
};

} // namespace PlatformTest
