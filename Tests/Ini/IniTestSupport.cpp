#include "IniTestSupport.h"

std::unique_ptr<CIniFile> Parsed(const std::string& text) {
    std::unique_ptr<CIniFile> doc(new CIniFile());
    doc->Parse(text.data(), text.size());
    return doc;
}

std::string ValueOf(const CIniFile* node, const std::string& key) {
    if (!node)
        return "<no section>";
    auto found = node->Keys().find(key);
    return found == node->Keys().end() ? "<missing>" : found->second;
}

std::string ValueAt(CIniFile& doc, const std::string& path, const std::string& key) {
    return ValueOf(doc.FindSection(path), key);
}

size_t SectionCount(const CIniFile& node) {
    size_t count = node.Sections().size();
    for (const auto& entry : node.Sections())
        count += SectionCount(*entry.second);
    return count;
}

std::string DataFile(const std::string& name) {
    return std::string(INI_TEST_DATA) + "/" + name;
}
