#include "Ini/CIniFile.h"

#include "Ini/CIniFileText.h"

const char* const kIniErrorValue = "__INI_ERROR__";
const int kIniMissingInt = 2147483647;
const float kIniMissingFloat = 3.40282347e38f;
const int kIniMaxDepth = 64;

std::string ToUpperCopy(const std::string& text) {
    std::string upper(text);
    for (char& c : upper)
        c = IniText::Upper(c);
    return upper;
}

int CompareNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        int ca = static_cast<unsigned char>(IniText::Lower(*a));
        int cb = static_cast<unsigned char>(IniText::Lower(*b));
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

void SplitSectionPath(const std::string& path, std::string& head, std::string& tail,
                      bool& hasSeparator) {
    std::string collapsed = IniText::CollapseSeparators(path);
    size_t at = IniText::FindSeparator(collapsed.data(), collapsed.size());
    hasSeparator = at != std::string::npos;
    if (!hasSeparator) {
        head = collapsed;
        tail = collapsed;
        return;
    }
    head = collapsed.substr(0, at);
    tail = collapsed.substr(at + 1);
}

CIniFile::CIniFile()
    : CTextFile(FileOpenDesc(std::string(), FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING)),
      parent(nullptr), errorValue(kIniErrorValue) {}

CIniFile::~CIniFile() {
    Clear();
}

void CIniFile::Clear() {
    sections.clear();
    keys.clear();
}

int CIniFile::Depth() const {
    int depth = 0;
    for (const CIniFile* node = parent; node; node = node->parent)
        ++depth;
    return depth;
}

CIniFile* CIniFile::CreateChild(const std::string& name) {
    std::unique_ptr<CIniFile> child(new CIniFile());
    child->sectionName = name;
    child->parent = this;
    CIniFile* raw = child.get();
    sections[ToUpperCopy(name)] = std::move(child);
    return raw;
}

CIniFile* CIniFile::FindChild(const char* name, size_t length) {
    std::string upper(name, length);
    for (char& c : upper)
        c = IniText::Upper(c);
    auto found = sections.find(upper);
    return found == sections.end() ? nullptr : found->second.get();
}

// Walks the path one component at a time instead of recursing on the tail, so a header made
// of millions of components costs neither stack nor a copy of the tail per level.
CIniFile* CIniFile::FindSection(const std::string& path) {
    std::string collapsed = IniText::CollapseSeparators(path);
    const char* rest = collapsed.data();
    size_t restSize = collapsed.size();
    CIniFile* node = this;
    for (;;) {
        if (restSize == 0 || IniText::EqualNoCase(rest, restSize, node->sectionName))
            return node;
        size_t at = IniText::FindSeparator(rest, restSize);
        size_t headSize = at == std::string::npos ? restSize : at;
        CIniFile* child = node->FindChild(rest, headSize);
        if (!child || at == std::string::npos)
            return child;
        node = child;
        rest += at + 1;
        restSize -= at + 1;
    }
}

CIniFile* CIniFile::AddSection(const std::string& path) {
    std::string collapsed = IniText::CollapseSeparators(path);
    const char* rest = collapsed.data();
    size_t restSize = collapsed.size();
    CIniFile* node = this;
    int depth = Depth();
    for (;;) {
        size_t at = IniText::FindSeparator(rest, restSize);
        size_t headSize = at == std::string::npos ? restSize : at;
        CIniFile* target = node;
        if (headSize != 0 && !IniText::EqualNoCase(rest, headSize, node->sectionName)) {
            target = node->FindChild(rest, headSize);
            if (!target) {
                // Past the depth limit the rest of the path lands in the deepest section.
                if (depth >= kIniMaxDepth)
                    return node;
                target = node->CreateChild(std::string(rest, headSize));
            }
            ++depth;
        }
        if (at == std::string::npos)
            return target;
        node = target;
        rest += at + 1;
        restSize -= at + 1;
    }
}
