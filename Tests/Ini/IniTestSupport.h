// A small vocabulary for the INI tests: documents from text, and what they hold.
#pragma once

#include <memory>
#include <string>

#include "Ini/CIniFile.h"

// The bytes of a string literal, embedded NUL bytes included.
template <size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

// A new document parsed from `text` (which may hold NUL bytes).
std::unique_ptr<CIniFile> Parsed(const std::string& text);

// The stored value of `key` (upper case) in `node`, or "<missing>"; shows no box.
std::string ValueOf(const CIniFile* node, const std::string& key);

// As ValueOf, in the section at `path` ("<no section>" when there is none).
std::string ValueAt(CIniFile& doc, const std::string& path, const std::string& key);

// Counts sections in the whole tree below `node`.
size_t SectionCount(const CIniFile& node);

// The path of a file in Tests/Ini/data.
std::string DataFile(const std::string& name);
