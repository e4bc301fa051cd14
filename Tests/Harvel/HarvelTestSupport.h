// Vocabulary of the file-layer tests: a temporary working folder, captured boxes, the
// system's sentences and the results of transfers in one string.
#pragma once

#include <memory>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "Harvel/CFileHarvel.h"
#include "Harvel/CFileHarvel_WIN.h"
#include "Harvel/CTextFile.h"
#include "Platform/Win32.h"
#include "TempDir.h"

// "<result> <count>" of a Write of `bytes`, such as "1 5".
inline std::string Wrote(CFileHarvel& file, const std::string& bytes, bool noFlush = false) {
    DWORD count = 99;
    int result = file.Write(bytes.data(), static_cast<DWORD>(bytes.size()), &count, noFlush);
    return std::to_string(result) + " " + std::to_string(count);
}

// "<result> <bytes read>" of a Read of at most `max` bytes, such as "1 abc"; "overrun" when
// bytes past the reported count changed.
inline std::string Got(CFileHarvel& file, DWORD max) {
    std::string bytes(max, '\x7F');
    DWORD count = 99;
    int result = file.Read(&bytes[0], max, &count);
    if (count > max || bytes.find_first_not_of('\x7F', count) != std::string::npos)
        return "overrun";
    return std::to_string(result) + " " + bytes.substr(0, count);
}
