// The lenient reader: Load and the byte-buffer parser beneath it.
#include "Ini/CIniFile.h"

#include <cstdint>
#include <cstring>

#include "Ini/CIniFileSystem.h"
#include "Ini/CIniFileText.h"

namespace {

const char* const kLoadFailed = "Error: Unable to load ini file";
const char* const kCreateFailed = "Error: Unable to create ini file (wrong folder?)";

// Bytes the line scan stops at: line ends, and the characters the grammar looks for.
struct ByteClasses {
    bool stop[256];
};

constexpr ByteClasses MakeByteClasses() {
    ByteClasses classes{};
    for (unsigned char c : {'\r', '\n', '\0', '"', ';', '/', '='})
        classes.stop[c] = true;
    return classes;
}

constexpr ByteClasses kStops = MakeByteClasses();

const uint64_t kOnes = 0x0101010101010101ull;
const uint64_t kHighBits = 0x8080808080808080ull;

// Nonzero when one of the eight bytes of `block` is `c` (exact, with no false alarm).
inline uint64_t HasByte(uint64_t block, unsigned char c) {
    uint64_t v = block ^ (kOnes * c);
    return (v - kOnes) & ~v & kHighBits;
}

// The first stop byte at or after `p`, or `end`. Eight plain bytes are passed at a time,
// since most of a text file is plain.
const char* SkipPlain(const char* p, const char* end) {
    while (end - p >= 8) {
        uint64_t block;
        std::memcpy(&block, p, sizeof block);
        if (HasByte(block, '\r') | HasByte(block, '\n') | HasByte(block, '\0') |
            HasByte(block, '"') | HasByte(block, ';') | HasByte(block, '/') | HasByte(block, '='))
            break;
        p += 8;
    }
    while (p < end && !kStops.stop[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

// Where the characters that matter to the grammar first (or, for quotes, last) occur in a
// line; null when absent.
struct LineMarks {
    const char* firstQuote;
    const char* lastQuote;
    const char* semicolon;
    const char* slashSlash;
    const char* slashStar;
    const char* equals;
};

// Hands out the lines of a buffer by the rules of CTextFile::ReadLine: CR, LF and NUL end a
// line, a CR LF or LF CR pair (or NUL followed by CR or LF) is one line end, and two equal
// line ends in a row leave an empty line between them. Lines point into the buffer. The same
// pass notes the line's marks, so no line is scanned twice.
class LineScanner {
public:
    LineScanner(const char* bytes, size_t size) : pos(bytes), end(bytes + size) {}

    // False at the end of the data.
    bool Next(const char*& begin, const char*& stop, LineMarks& marks) {
        if (pos >= end)
            return false;
        marks = LineMarks();
        begin = pos;
        const char* p = pos;
        for (;; ++p) {
            p = SkipPlain(p, end);
            if (p == end || *p == '\r' || *p == '\n' || *p == '\0')
                break;
            Note(p, marks);
        }
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
    void Note(const char* p, LineMarks& marks) const {
        switch (*p) {
        case '"':
            if (!marks.firstQuote)
                marks.firstQuote = p;
            marks.lastQuote = p;
            break;
        case ';':
            if (!marks.semicolon)
                marks.semicolon = p;
            break;
        case '=':
            if (!marks.equals)
                marks.equals = p;
            break;
        default: // '/'
            if (p + 1 < end && p[1] == '/' && !marks.slashSlash)
                marks.slashSlash = p;
            else if (p + 1 < end && p[1] == '*' && !marks.slashStar)
                marks.slashStar = p;
            break;
        }
    }

    const char* pos;
    const char* end;
};

// Cuts a trimmed line at its comment: the earliest first occurrence of ";", "//" or "/*"
// that does not lie strictly between the first and the last double quote of the line.
void RemoveComment(const LineMarks& marks, const char*& end) {
    const char* markers[3] = {marks.semicolon, marks.slashSlash, marks.slashStar};
    const char* cut = end;
    for (const char* marker : markers) {
        if (!marker)
            continue;
        if (marks.firstQuote && marker > marks.firstQuote && marker < marks.lastQuote)
            continue;
        if (marker < cut)
            cut = marker;
    }
    end = cut;
}

// Where `key` is or would go in `map`. Files written by Save hold their sections and keys in
// map order, so the end is tried first: one comparison instead of a search.
template <typename Map> typename Map::iterator SortedSlot(Map& map, const std::string& key) {
    if (map.empty() || map.rbegin()->first < key)
        return map.end();
    return map.lower_bound(key);
}

void StoreKey(std::map<std::string, std::string>& keys, const std::string& key,
              const char* valueBegin, const char* valueEnd) {
    auto slot = SortedSlot(keys, key);
    if (slot != keys.end() && slot->first == key)
        slot->second.assign(valueBegin, valueEnd);
    else
        keys.emplace_hint(slot, key, std::string(valueBegin, valueEnd));
}

// Narrows a line to what the grammar reads of it: trimmed, without its comment, trimmed again.
// Empty when nothing is left.
void CutLine(const LineMarks& marks, const char*& begin, const char*& end) {
    IniText::Trim(begin, end);
    if (begin == end)
        return;
    RemoveComment(marks, end);
    IniText::Trim(begin, end);
}

// True when a cut line is a section header; [begin, end) is then narrowed to its path.
bool HeaderPath(const char*& begin, const char*& end) {
    if (*begin != '[' || end[-1] != ']')
        return false;
    while (begin < end && *begin == '[')
        ++begin;
    while (end > begin && end[-1] == ']')
        --end;
    IniText::Trim(begin, end);
    return true;
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
        if (!IniFileSystem::SurelyMissing(path)) {
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

// The reader's main loop; the steps of the grammar appear in order.
void CIniFile::Parse(const char* bytes, size_t size) {
    Clear();
    if (!bytes)
        return;

    LineScanner lines(bytes, size);
    LineMarks marks;
    std::string sectionPath;  // the current section as the file named it
    CIniFile* section = this; // where its keys go, or null until the first key needs it
    std::string upperKey;     // reused so a key line costs no allocation of its own
    std::string gathered;     // a value that runs over several lines
    const char* begin;
    const char* end;
    while (lines.Next(begin, end, marks)) {
        CutLine(marks, begin, end);
        if (begin == end)
            continue;

        if (HeaderPath(begin, end)) {
            sectionPath.assign(begin, end);
            section = EnterHeader(sectionPath);
            continue;
        }

        // A line that is neither a header nor holds "=" carries nothing; skip it.
        const char* equals = marks.equals;
        if (!equals || equals >= end)
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
            while (gathered.back() != '"' && lines.Next(nextBegin, nextEnd, marks)) {
                gathered.push_back('\n');
                gathered.append(nextBegin, nextEnd);
            }
            valueBegin = gathered.data();
            valueEnd = valueBegin + gathered.size();
        }
        StripQuotes(valueBegin, valueEnd);

        if (!section) {
            section = FindSection(sectionPath);
            if (!section)
                section = AddSection(sectionPath);
        }
        upperKey.assign(keyBegin, keyEnd);
        for (char& c : upperKey)
            c = IniText::Upper(c);
        StoreKey(section->keys, upperKey, valueBegin, valueEnd);
    }
}

bool ReadSectionHeader(const std::string& line, std::string& path) {
    LineScanner lines(line.data(), line.size());
    LineMarks marks;
    const char* begin;
    const char* end;
    if (!lines.Next(begin, end, marks))
        return false;
    CutLine(marks, begin, end);
    if (begin == end || !HeaderPath(begin, end))
        return false;
    path.assign(begin, end);
    return true;
}

// Makes the sections a header names and returns where its keys go, or null when that is
// left to the first key line (FindSection, else AddSection, of the header's path).
CIniFile* CIniFile::EnterHeader(const std::string& path) {
    if (path.empty())
        return this;
    // The common one-name header: what FindSection and AddSection would do, minus the copies.
    if (IniText::FindSeparator(path.data(), path.size()) == std::string::npos) {
        if (IniText::EqualNoCase(path.data(), path.size(), sectionName))
            return this;
        std::string upper = ToUpperCopy(path);
        auto slot = SortedSlot(sections, upper);
        if (slot != sections.end() && slot->first == upper)
            return slot->second.get();
        if (Depth() >= kIniMaxDepth)
            return this;
        std::unique_ptr<CIniFile> child(new CIniFile());
        child->sectionName = upper;
        child->parent = this;
        return sections.emplace_hint(slot, std::move(upper), std::move(child))->second.get();
    }
    if (CIniFile* found = FindSection(path))
        return found;
    std::string head, tail;
    bool hasSeparator;
    SplitSectionPath(ToUpperCopy(path), head, tail, hasSeparator);
    CIniFile* headSection = FindSection(head);
    if (!headSection)
        headSection = AddSection(head); // head holds no separator: one new child
    if (hasSeparator)
        headSection->AddSection(tail);
    return nullptr;
}
