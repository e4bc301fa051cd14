// A small vocabulary for the INI tests: documents from text, and what they hold.
#pragma once

#include <memory>
#include <string>

#include "Ini/CIniFile.h"

// The bytes of a string literal, embedded NUL bytes included.
template <size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

inline std::unique_ptr<CIniFile> Parsed(const std::string& text) {
    std::unique_ptr<CIniFile> doc(new CIniFile());
    doc->Parse(text.data(), text.size());
    return doc;
}

// The stored value of `key` (upper case) in the section at `path`; shows no box.
inline std::string ValueAt(CIniFile& doc, const std::string& path, const std::string& key) {
    const CIniFile* node = doc.FindSection(path);
    if (!node)
        return "<no section>";
    auto found = node->Keys().find(key);
    return found == node->Keys().end() ? "<missing>" : found->second;
}

// The whole tree as text: "KEY=value|" per key, then "[Name]{...}" per section, in map order.
inline std::string Describe(const CIniFile& node) {
    std::string out;
    for (const auto& pair : node.Keys())
        out += pair.first + "=" + pair.second + "|";
    for (const auto& entry : node.Sections())
        out += "[" + entry.second->GetSectionName() + "]{" + Describe(*entry.second) + "}";
    return out;
}

inline size_t SectionCount(const CIniFile& node) {
    size_t count = node.Sections().size();
    for (const auto& entry : node.Sections())
        count += SectionCount(*entry.second);
    return count;
}
