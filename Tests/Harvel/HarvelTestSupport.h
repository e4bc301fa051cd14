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

// Wine lets root open a read-only file for writing, unlike Windows and our POSIX layer.
#if defined(_WIN32)
inline const bool kWriteIgnoresReadOnly = true;
#else
inline const bool kWriteIgnoresReadOnly = false;
#endif

inline const char* const kOpenFailed = "Probleme a l'ouverture du fichier! Fichier inexistant?";
inline const char* const kWriteFailed = "Erreur lors d'une tentative d'ecriture!";
inline const char* const kDumpShort =
    "Probleme: Lors de la copie memoire du fichier ouvert en mode dump.";

// The system's own sentence for an error code, as FormatMessageA gives it.
inline std::string SystemSentence(DWORD code) {
    LPSTR buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_FROM_SYSTEM,
                                  nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer)
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
    const CapturedBox& Box(size_t i) const { return boxes.Boxes().at(i); }

    // Line n (from 0, split at line feeds) of the only box, or a text saying why there is none.
    std::string OnlyBoxLine(size_t n) const {
        if (BoxCount() != 1)
            return std::to_string(BoxCount()) + " boxes";
        const std::string& text = Box(0).text;
        size_t start = 0;
        for (; n > 0; --n) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                return "no such line in " + text;
            start = end + 1;
        }
        return text.substr(start, text.find('\n', start) - start);
    }

    // The only box is the whole "CFileHarvel Error" box: `head`, the system sentence of `code`,
    // then "voir: <path ending in sourceName>(<line>)" and a line feed.
    void ExpectFileErrorBox(const std::string& head, DWORD code, const std::string& sourceName) {
        ASSERT_EQ(BoxCount(), 1u);
        EXPECT_EQ(Box(0).caption, "CFileHarvel Error");
        EXPECT_EQ(Box(0).style, 0x1030u);
        std::string expected = head + "WIN ERROR MESSAGE: " + SystemSentence(code) + "voir: ";
        EXPECT_EQ(Box(0).text.substr(0, expected.size()), expected);
        EXPECT_TRUE(EndsWithSource(Box(0).text, sourceName)) << Box(0).text;
    }

    // The last line is "voir: <path ending in sourceName>(<line>)" and a line feed.
    static bool EndsWithSource(const std::string& text, const std::string& sourceName) {
        return std::regex_search(text, std::regex("voir: [^\n]*" + sourceName + "\\(\\d+\\)\n$"));
    }

    static FileOpenDesc Desc(const std::string& name, DWORD access, DWORD flags, DWORD creation) {
        return FileOpenDesc(name, access, flags, creation);
    }
    // A disk file object opened through the reference form; null when the open failed.
    static std::unique_ptr<CFileHarvel> OpenDisk(const std::string& name, DWORD access,
                                                 DWORD creation, DWORD flags = FILE_DISK) {
        auto file = std::make_unique<CFileHarvel>(Desc(name, access, flags, creation));
        return file->Open(Desc(name, access, flags, creation)) ? std::move(file) : nullptr;
    }
};
