// Any bytes must parse without touching memory outside the buffers. When no value holds a
// double quote or a line feed (the two things the written form does not escape), writing the
// document and reading it back must give the same sections, keys and values.
//
// A header line carries a section's whole path but not every name survives it, so documents
// with such names are left out of the comparison: a name holding a double quote (the quotes
// that hid a comment marker may be split between a parent's and a child's header), a
// top-level name that begins with "[" or a blank, a name that ends with "]" or a blank, and a
// nested name that begins with "*" (after its "/" it would open a comment). Odd headers such
// as '["a;b/c"]', "[ [x ]", "[/ x]" or "[a\\*b]" make them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Ini/CIniFile.h"

namespace {

bool ValuesRoundTrip(const CIniFile& node) {
    for (const auto& pair : node.Keys())
        if (pair.second.find_first_of("\"\n") != std::string::npos)
            return false;
    for (const auto& entry : node.Sections())
        if (!ValuesRoundTrip(*entry.second))
            return false;
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool NamesRoundTrip(const CIniFile& node, bool topLevel) {
    for (const auto& entry : node.Sections()) {
        const std::string& name = entry.second->GetSectionName();
        if (name.empty() || name.back() == ']' || IsBlank(name.back()) ||
            name.find('"') != std::string::npos)
            return false;
        if (topLevel && (name.front() == '[' || IsBlank(name.front())))
            return false;
        if (!topLevel && name.front() == '*')
            return false;
        if (!NamesRoundTrip(*entry.second, false))
            return false;
    }
    return true;
}

bool SameTree(const CIniFile& a, const CIniFile& b) {
    if (a.GetSectionName() != b.GetSectionName() || a.Keys() != b.Keys() ||
        a.Sections().size() != b.Sections().size())
        return false;
    auto left = a.Sections().begin();
    auto right = b.Sections().begin();
    for (; left != a.Sections().end(); ++left, ++right)
        if (left->first != right->first || !SameTree(*left->second, *right->second))
            return false;
    return true;
}

void Describe(const CIniFile& node, const std::string& path) {
    for (const auto& pair : node.Keys())
        std::fprintf(stderr, "%s [%s] = [%s]\n", path.c_str(), pair.first.c_str(),
                     pair.second.c_str());
    for (const auto& entry : node.Sections())
        Describe(*entry.second, path + "/" + entry.second->GetSectionName());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CIniFile doc;
    doc.Parse(reinterpret_cast<const char*>(data), size);
    if (!ValuesRoundTrip(doc) || !NamesRoundTrip(doc, true))
        return 0;
    std::string text = doc.Serialize();
    CIniFile again;
    again.Parse(text.data(), text.size());
    if (!SameTree(doc, again)) {
        std::fprintf(stderr, "written form reads back differently:\n%s\n", text.c_str());
        std::fprintf(stderr, "parsed:\n");
        Describe(doc, "");
        std::fprintf(stderr, "read back:\n");
        Describe(again, "");
        std::abort();
    }
    return 0;
}
