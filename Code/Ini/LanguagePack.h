// The texts of one localization source in one language.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct LanguagePack {
    std::map<std::string, std::string> texts; // identifier (exact bytes) to text
    uint32_t byteSize = 0; // identifier and text lengths of every pair added (saturates)
    std::string language;
    std::string source;

    // Adds the pair unless `id` is already present (the first text stays) and counts its
    // length into byteSize. True when it was added.
    bool AddText(const std::string& id, const std::string& text);
};
