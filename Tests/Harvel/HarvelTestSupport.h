// Vocabulary of the file-layer tests: a temporary working folder, captured boxes, and the
// texts the boxes must hold, written out by hand.
#pragma once

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

inline const char* const kCaption = "CFileHarvel Error";
inline const unsigned kBoxStyle = 0x1030;
inline const char* const kOpenFailed = "Probleme a l'ouverture du fichier! Fichier inexistant?";
inline const char* const kWriteFailed = "Erreur lors d'une tentative d'ecriture!";
inline const char* const kDeleteFailed = "Erreur lors d'une tentative de suppression!";
inline const char* const kSetPosFailed = "Erreur lors d'un SetPosition!";
inline const char* const kSeekEndInSizeMode =
    "Probleme: SetPos depuis fin non autorise en mode determination de taille!";
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

// The lines of a box text, split at line feeds (a final line feed gives no extra line).
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Ends with "voir: <path ending in sourceName>(<digits>)" and a line feed.
inline ::testing::AssertionResult EndsWithSourcePosition(const std::string& text,
                                                         const std::string& sourceName) {
    size_t voir = text.rfind("voir: ");
    if (voir == std::string::npos)
        return ::testing::AssertionFailure() << "no \"voir: \" in " << text;
    std::string tail = text.substr(voir + 6);
    size_t open = tail.rfind('(');
    if (open == std::string::npos || tail.size() < open + 4 ||
        tail.substr(tail.size() - 2) != ")\n")
        return ::testing::AssertionFailure() << "no \"(line)\\n\" at the end of " << tail;
    std::string file = tail.substr(0, open);
    std::string line = tail.substr(open + 1, tail.size() - open - 3);
    if (file.size() < sourceName.size() ||
        file.compare(file.size() - sourceName.size(), sourceName.size(), sourceName) != 0)
        return ::testing::AssertionFailure() << file << " is not " << sourceName;
    if (line.empty() || line.find_first_not_of("0123456789") != std::string::npos)
        return ::testing::AssertionFailure() << "line \"" << line << "\" is not a number";
    return ::testing::AssertionSuccess();
}

class HarvelTest : public ::testing::Test {
protected:
    TempDir folder;
    BoxCapture boxes;

    size_t BoxCount() const { return boxes.Boxes().size(); }
    const CapturedBox& Box(size_t i) const { return boxes.Boxes().at(i); }

    static FileOpenDesc Desc(const std::string& name, DWORD access, DWORD flags, DWORD creation) {
        return FileOpenDesc(name, access, flags, creation);
    }
    static std::string Bytes(const char* text, size_t size) { return std::string(text, size); }
};
