// Vocabulary of the file-layer tests: a temporary working folder, captured boxes, and the
// texts the boxes must hold, written out by hand.
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

inline const DWORD kRead = FILE_ACCESS_READ;
inline const DWORD kWrite = FILE_ACCESS_WRITE;

// The system's own sentence for an error code, as FormatMessageA gives it.
inline std::string SystemSentence(DWORD code) {
    LPSTR buffer = nullptr;
    DWORD length =
        FormatMessageA(0x1300, nullptr, code, 0x400, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    LocalFree(buffer);
    return text;
}

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

    size_t BoxCount() const { return boxes.Boxes().size(); }

    // The second line of the only box: table text and "(file name)"; else why there is none.
    std::string BoxHead() const {
        if (BoxCount() != 1)
            return std::to_string(BoxCount()) + " boxes";
        const std::string& text = boxes.Boxes()[0].text;
        const size_t start = text.find('\n') + 1;
        return text.substr(start, text.find('\n', start) - start);
    }

    // The only box is the whole "CFileHarvel Error" box: `head`, the system sentence of `code`,
    // then "voir: <path ending in sourceName>(<line>)" and a line feed. Clears the boxes.
    void ExpectBox(const std::string& head, DWORD code, const std::string& sourceName) {
        ASSERT_EQ(BoxCount(), 1u);
        const CapturedBox& box = boxes.Boxes()[0];
        EXPECT_EQ(box.caption, "CFileHarvel Error");
        EXPECT_EQ(box.style, 0x1030u);
        EXPECT_EQ(box.text.substr(0, box.text.rfind("voir: ")),
                  head + "WIN ERROR MESSAGE: " + SystemSentence(code));
        EXPECT_TRUE(
            std::regex_search(box.text, std::regex("voir: [^\n]*" + sourceName + "\\(\\d+\\)\n$")))
            << box.text;
        boxes.Clear();
    }

    // A disk file object opened through the reference form; null when the open failed.
    static std::unique_ptr<CFileHarvel> OpenDisk(const std::string& name, DWORD access,
                                                 DWORD creation, DWORD flags = FILE_DISK) {
        FileOpenDesc desc(name, access, flags, creation);
        auto file = std::make_unique<CFileHarvel>(desc);
        return file->Open(desc) ? std::move(file) : nullptr;
    }
};
