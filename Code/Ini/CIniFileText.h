// Byte-level text helpers shared by the INI reader, paths and writer. ASCII letters only
// change case (the classic locale); every other byte is kept as it is.
#pragma once

#include <cstring>
#include <string>

namespace IniText {

inline char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
inline char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
inline bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

inline bool EqualNoCase(const char* text, size_t size, const std::string& other) {
    if (size != other.size())
        return false;
    for (size_t i = 0; i < size; ++i)
        if (Lower(text[i]) != Lower(other[i]))
            return false;
    return true;
}

// Position of the first "/" or "\", or npos.
inline size_t FindSeparator(const char* text, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (IsSeparator(text[i]))
            return i;
    return std::string::npos;
}

// Every run of "/" becomes one "/" and every run of "\" one "\": the fixed point of replacing
// doubled separators, reached in one pass.
inline std::string CollapseSeparators(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path)
        if (!(IsSeparator(c) && !out.empty() && out.back() == c))
            out.push_back(c);
    return out;
}

// Narrows [begin, end) past leading and trailing blanks and tabs.
inline void Trim(const char*& begin, const char*& end) {
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
}

} // namespace IniText
