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

class HarvelTest : public ::testing::Test {
protected:
    TempDir folder;
    BoxCapture boxes;

    // The only box is the whole "CFileHarvel Error" box: `head`, the system sentence of `code`,
    // then "voir: <path ending in sourceName>(<line>)" and a line feed. Clears the boxes.
    void ExpectBox(const std::string& head, DWORD code, const std::string& sourceName) {
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const CapturedBox& box = boxes.Boxes()[0];
        EXPECT_EQ(box.caption, "CFileHarvel Error");
        EXPECT_EQ(box.style, 0x1030u);
        EXPECT_EQ(box.text.substr(0, box.text.rfind("voir: ")),
                  head + "WIN ERROR MESSAGE: " + SystemText(code));
        EXPECT_TRUE(
            std::regex_search(box.text, std::regex("voir: [^\n]*" + sourceName + "\\(\\d+\\)\n$")))
            << box.text;
        boxes.Clear();
    }
};
