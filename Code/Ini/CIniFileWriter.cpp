// The written form of a document.
#include "Ini/CIniFile.h"

#include <algorithm>

namespace {

void AppendNode(const CIniFile& node, size_t depth, const std::string& prefix, std::string& out) {
    const auto& keys = node.Keys();
    if (!keys.empty()) {
        size_t width = 0;
        for (const auto& pair : keys)
            width = std::max(width, pair.first.size());
        out += "\r\n";
        for (const auto& pair : keys) {
            out.append(depth, '\t');
            out += pair.first;
            out.append(width - pair.first.size(), ' ');
            out += " = \"";
            out += pair.second;
            out += "\"\r\n";
        }
    }

    const std::string& name = node.GetSectionName();
    std::string childPrefix;
    if (!prefix.empty())
        childPrefix = prefix + name + "/";
    else if (!name.empty())
        childPrefix = name + "/";
    for (const auto& entry : node.Sections()) {
        const CIniFile& child = *entry.second;
        out += "\r\n";
        out.append(depth, '\t');
        out += '[';
        out += childPrefix;
        out += child.GetSectionName();
        out += "]\r\n";
        AppendNode(child, depth + 1, childPrefix, out);
    }
}

} // namespace

std::string CIniFile::Serialize() const {
    std::string out;
    AppendNode(*this, 0, std::string(), out);
    return out;
}
