// A small vocabulary for the INI tests: documents from text, and what they hold.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Ini/CIniFile.h"

inline std::unique_ptr<CIniFile> Parsed(const std::string& text) {
    std::unique_ptr<CIniFile> doc(new CIniFile());
    // An exact copy on the heap: a read past the text is caught, the string's NUL is not there.
    const std::vector<char> bytes(text.begin(), text.end());
    doc->Parse(bytes.data(), bytes.size());
    return doc;
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
