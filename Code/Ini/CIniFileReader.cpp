// The lenient reader: Load and the byte-buffer parser beneath it.
#include "Ini/CIniFile.h"

#include "Ini/CIniFileText.h"

namespace {

const char* const kLoadFailed = "Error: Unable to load ini file";
const char* const kCreateFailed = "Error: Unable to create ini file (wrong folder?)";

// Hands out the lines of a buffer by the rules of CTextFile::ReadLine: CR, LF and NUL end a
// line, a CR LF or LF CR pair (or NUL followed by CR or LF) is one line end, and two equal
// line ends in a row leave an empty line between them. Lines point into the buffer.
class LineScanner {
public:
    LineScanner(const char* bytes, size_t size) : pos(bytes), end(bytes + size) {}

    // False at the end of the data.
    bool Next(const char*& begin, const char*& stop) {
        if (pos >= end)
            return false;
        begin = pos;
        const char* p = pos;
        while (p < end && *p != '\r' && *p != '\n' && *p != '\0')
            ++p;
        stop = p;
        if (p == end) {
            pos = end;
            return true;
        }
        char terminator = *p++;
        if (p < end && (*p == '\r' || *p == '\n') && *p != terminator)
            ++p;
        pos = p;
        return true;
    }

private:
    const char* pos;
    const char* end;
};

const char* FindChar(const char* begin, const char* end, char c) {
    for (const char* p = begin; p < end; ++p)
        if (*p == c)
            return p;
    return nullptr;
}

const char* FindLastChar(const char* begin, const char* end, char c) {
    for (const char* p = end; p > begin; --p)
        if (p[-1] == c)
            return p - 1;
    return nullptr;
}

const char* FindPair(const char* begin, const char* end, char first, char second) {
    for (const char* p = begin; p + 1 < end; ++p)
        if (p[0] == first && p[1] == second)
            return p;
    return nullptr;
}

// Cuts a trimmed line at its comment: the earliest first occurrence of ";", "//" or "/*"
// that does not lie strictly between the first and the last double quote of the line.
void RemoveComment(const char* begin, const char*& end) {
    const char* firstQuote = FindChar(begin, end, '"');
    const char* lastQuote = firstQuote ? FindLastChar(begin, end, '"') : nullptr;
    const char* markers[3] = {FindChar(begin, end, ';'), FindPair(begin, end, '/', '/'),
                              FindPair(begin, end, '/', '*')};
    const char* cut = end;
    for (const char* marker : markers) {
        if (!marker)
            continue;
        if (firstQuote && marker > firstQuote && marker < lastQuote)
            continue;
        if (marker < cut)
            cut = marker;
    }
    end = cut;
}

void StripQuotes(const char*& begin, const char*& end) {
    while (begin < end && *begin == '"')
        ++begin;
    while (end > begin && end[-1] == '"')
        --end;
}

} // namespace

bool CIniFile::Load(const std::string& path) {
    Clear();
    // A section keeps its name: its parent files it under that name.
    if (!parent)
        sectionName.clear();
    SetName(path);

    FileOpenDesc desc(path, FILE_ACCESS_READ, FILE_DUMP, FILE_OPEN_EXISTING);
    if (!Open(desc)) {
        Close();
        ReleaseMemory();
        // A file that exists but could not be read is left alone: creating it anew would
        // empty it.
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            lastError = std::string(kLoadFailed) + " : " + path;
            return false;
        }
        FileOpenDesc create(path, FILE_ACCESS_READ, FILE_DUMP, FILE_CREATE_ALWAYS);
        bool created = Open(create) != 0;
        Close();
        ReleaseMemory();
        lastError = std::string(created ? kLoadFailed : kCreateFailed) + " : " + path;
        return false;
    }

    bool empty = memSize == 0 || memBase == nullptr;
    if (!empty)
        Parse(reinterpret_cast<const char*>(memBase), memSize);
    Close();
    ReleaseMemory();
    return !empty;
}

// The reader's main loop; the numbered steps of the grammar appear in order.
void CIniFile::Parse(const char* bytes, size_t size) {
    Clear();
    if (!bytes)
        return;

    LineScanner lines(bytes, size);
    std::string sectionPath;  // the current section as the file named it
    CIniFile* section = this; // where its keys go, once known
    bool sectionKnown = true;
    std::string upperKey; // reused so a key line costs no allocation of its own
    std::string gathered; // a value that runs over several lines
    const char* begin;
    const char* end;
    while (lines.Next(begin, end)) {
        IniText::Trim(begin, end);
        if (begin == end)
            continue;
        RemoveComment(begin, end);
        IniText::Trim(begin, end);
        if (begin == end)
            continue;

        if (*begin == '[' && end[-1] == ']') {
            while (begin < end && *begin == '[')
                ++begin;
            while (end > begin && end[-1] == ']')
                --end;
            IniText::Trim(begin, end);
            sectionPath.assign(begin, end);
            sectionKnown = false;
            if (!sectionPath.empty() && !FindSection(sectionPath)) {
                std::string head, tail;
                bool hasSeparator;
                SplitSectionPath(ToUpperCopy(sectionPath), head, tail, hasSeparator);
                CIniFile* headSection = FindSection(head);
                if (!headSection)
                    headSection = AddSection(head); // head holds no separator: one new child
                if (hasSeparator)
                    headSection->AddSection(tail);
            }
            continue;
        }

        // A line that is neither a header nor holds "=" carries nothing; skip it.
        const char* equals = FindChar(begin, end, '=');
        if (!equals)
            continue;
        const char* keyBegin = begin;
        const char* keyEnd = equals;
        IniText::Trim(keyBegin, keyEnd);
        const char* valueBegin = equals + 1;
        const char* valueEnd = end;
        IniText::Trim(valueBegin, valueEnd);
        while (valueBegin < valueEnd && *valueBegin == '=')
            ++valueBegin;

        if (valueBegin < valueEnd && *valueBegin == '"') {
            gathered.assign(valueBegin, valueEnd);
            const char* nextBegin;
            const char* nextEnd;
            while (gathered.back() != '"' && lines.Next(nextBegin, nextEnd)) {
                gathered.push_back('\n');
                gathered.append(nextBegin, nextEnd);
            }
            valueBegin = gathered.data();
            valueEnd = valueBegin + gathered.size();
        }
        StripQuotes(valueBegin, valueEnd);

        if (!sectionKnown) {
            section = FindSection(sectionPath);
            if (!section)
                section = AddSection(sectionPath);
            sectionKnown = true;
        }
        upperKey.assign(keyBegin, keyEnd);
        for (char& c : upperKey)
            c = IniText::Upper(c);
        auto slot = section->keys.lower_bound(upperKey);
        if (slot != section->keys.end() && slot->first == upperKey)
            slot->second.assign(valueBegin, valueEnd);
        else
            section->keys.emplace_hint(slot, upperKey, std::string(valueBegin, valueEnd));
    }
}
