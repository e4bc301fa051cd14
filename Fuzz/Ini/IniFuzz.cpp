// Any bytes must parse without touching memory outside the buffers, and writing the document
// and reading it back must give the same sections, keys and values, whatever names and values
// the reader made of the bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Ini/CIniFile.h"

namespace {

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
