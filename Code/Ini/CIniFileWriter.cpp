// The written form of a document.
#include "Ini/CIniFile.h"

#include <algorithm>
#include <vector>

namespace {

using Names = std::vector<const std::string*>;

// The names joined by `separator`; with `guarded`, also one separator before the first and
// one after the last; with `repeated`, each name twice in a row.
std::string JoinNames(const Names& names, char separator, bool guarded, bool repeated) {
    std::string path;
    if (guarded)
        path += separator;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            path += separator;
        path += *names[i];
        if (repeated)
            (path += separator) += *names[i];
    }
    if (guarded)
        path += separator;
    return path;
}

// The text between the brackets of a section's header, or false when no form reads back. The
// plain "A/B" form comes first and is the only one ordinary names need. A name that it cannot
// carry (a blank or bracket at either end, "*" after a "/", a ";" outside quotes) is written
// between backslashes: no "/*" forms, and the empty names at both ends shield the edges,
// since the reader skips empty names. A name repeated right after itself is taken as the
// same section, which lets the quotes of a name shield a ";" before them. At the depth limit
// the reader drops any further name, so a lone quote may follow the last.
bool HeaderPath(const Names& names, std::string& path) {
    const int forms = names.size() >= static_cast<size_t>(kIniMaxDepth) ? 4 : 3;
    std::string read;
    for (int form = 0; form < forms; ++form) {
        path = form == 0 ? JoinNames(names, '/', false, false)
                         : JoinNames(names, '\\', true, form == 2);
        if (form == 3)
            path += "\"\\";
        if (ReadSectionHeader("[" + path + "]", read) && read == path)
            return true;
    }
    return false;
}

void AppendKeys(const CIniFile& node, size_t depth, std::string& out) {
    const auto& keys = node.Keys();
    if (keys.empty())
        return;
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

// Writes the sections below `node`; `names` holds the path from the written node down to it.
void AppendSections(const CIniFile& node, size_t depth, Names& names, std::string& out) {
    std::string path;
    for (const auto& entry : node.Sections()) {
        const CIniFile& child = *entry.second;
        names.push_back(&child.GetSectionName());
        // A section whose header cannot be written is left out with its keys rather than give
        // them to the section before it. The reader never makes one that holds keys, and the
        // headers of the sections below it make it again.
        if (HeaderPath(names, path)) {
            out += "\r\n";
            out.append(depth, '\t');
            out += '[';
            out += path;
            out += "]\r\n";
            AppendKeys(child, depth + 1, out);
        }
        AppendSections(child, depth + 1, names, out);
        names.pop_back();
    }
}

} // namespace

std::string CIniFile::Serialize() const {
    std::string out;
    Names names;
    if (!sectionName.empty())
        names.push_back(&sectionName);
    AppendKeys(*this, 0, out);
    AppendSections(*this, 0, names, out);
    return out;
}
