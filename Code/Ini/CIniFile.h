// An INI document: a tree of named sections, each with an ordered map of upper-case keys to
// text values, with the program's lenient reader, typed access and exact writer.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "Harvel/CTextFile.h"

// Copy of `text` with every ASCII letter in upper case; other bytes unchanged.
std::string ToUpperCopy(const std::string& text);

// Compares two texts character by character after mapping ASCII letters to lower case:
// negative, zero or positive; stops at the first difference or the end of `a`.
int CompareNoCase(const char* a, const char* b);

// Splits a section path at its first separator ("/" or "\") after collapsing doubled
// separators. Without a separator, head and tail are both the whole (collapsed) path.
void SplitSectionPath(const std::string& path, std::string& head, std::string& tail,
                      bool& hasSeparator);

// True when the reader takes the first line of `line` for a section header; `path` is then
// the section path it names, as written (letter case and separators unchanged).
bool ReadSectionHeader(const std::string& line, std::string& path);

// How the last Save of a node went.
struct IniSaveOutcome {
    // How the file was written: not at all, as a new copy that took over the old file's
    // attributes and access rights (Replaced), as a new file that took the name where there was
    // none, or where a failed replace left the old file unable to come back (Renamed), or over
    // the old file's bytes when no new file could take its place (InPlace).
    enum Way { NotWritten, Replaced, Renamed, InPlace };
    // After a failure, the old file: as it was, written back after a failed write in place,
    // possibly incomplete because even that failed, or whole under the name `aside` while no
    // file has the target's name (a failed replace, and neither file could be put back).
    enum Old { Untouched, Restored, Damaged, Aside };
    Way way = NotWritten;
    Old old = Untouched;
    DWORD error = 0; // the system's error that stopped the save; 0 after a save
    std::string aside;
};

class CIniFile : public CTextFile {
public:
    CIniFile();
    ~CIniFile() override;

    // Replaces the content with the file's. False when the file could not be opened (an empty
    // file of that name is then created when its folder exists, and GetLastErrorText says
    // which) or is empty; the document is then empty.
    bool Load(const std::string& path);

    // Replaces this node's keys and sections with those parsed from `bytes`, by the same rules
    // as Load, without touching the file system. Any bytes are accepted.
    void Parse(const char* bytes, size_t size);

    // Writes the node and everything below it to `path` (the node's own file name when empty)
    // in the program's form. A new file takes the old one's place only once the new text is
    // wholly on disk, keeping what the old file carried besides its bytes; where no new file
    // can take its place, the old file is written over as the program always did. After a
    // save, the files that unfinished saves left beside the target go (RemoveLeftovers in
    // CIniFileSystem.h). False, after the file object's box naming the target, when it cannot be
    // written: LastSave says why and what became of the old file.
    bool Save(const std::string& path = std::string());
    const IniSaveOutcome& LastSave() const { return lastSave; }

    // The section at `path` below this node (this node for an empty path), or null.
    CIniFile* FindSection(const std::string& path);
    // As FindSection, creating every missing section on the path; never null. Sections are
    // not created deeper than kIniMaxDepth levels below the document: the components past that
    // depth resolve to the deepest section reached.
    CIniFile* AddSection(const std::string& path);

    const std::string& GetLastErrorText() const { return lastError; }
    const std::string& GetSectionName() const { return sectionName; }
    CIniFile* GetParent() const { return parent; }
    const std::map<std::string, std::string>& Keys() const { return keys; }
    const std::map<std::string, std::unique_ptr<CIniFile>>& Sections() const { return sections; }

    // Section-level access. Getters other than GetStringOr show "Error: Unable to locate
    // specified key" for a missing key and return their sentinel.
    const std::string& GetString(const std::string& key);
    std::string GetStringOr(const std::string& key, const std::string& fallback);
    int GetInt(const std::string& key);
    bool GetBool(const std::string& key);
    float GetFloat(const std::string& key);
    bool SetString(const std::string& key, const std::string& value, bool create);
    bool SetInt(const std::string& key, int value, bool create);
    bool SetBool(const std::string& key, bool value, bool create);
    bool SetFloat(const std::string& key, float value, bool create);

    // Document-level access through a section path. A missing section reads as the error
    // value (no warning); the setters create it when `create` is set (true once stored) and
    // otherwise return false without changing anything.
    const std::string& GetString(const std::string& section, const std::string& key);
    std::string GetStringOr(const std::string& section, const std::string& key,
                            const std::string& fallback);
    bool SetString(const std::string& section, const std::string& key, const std::string& value,
                   bool create);
    bool SetInt(const std::string& section, const std::string& key, int value, bool create);
    bool SetBool(const std::string& section, const std::string& key, bool value, bool create);
    bool SetFloat(const std::string& section, const std::string& key, float value, bool create);

    // The text Save writes for this node and everything below it.
    std::string Serialize() const;

private:
    void Clear();
    // The number of parents above this node (0 for the document).
    int Depth() const;
    CIniFile* CreateChild(const std::string& name);
    // The child whose map key is the upper-case form of `name`, or null.
    CIniFile* FindChild(const char* name, size_t length);
    CIniFile* EnterHeader(const std::string& path);

    CIniFile* parent;
    std::string sectionName;
    std::map<std::string, std::string> keys;
    std::map<std::string, std::unique_ptr<CIniFile>> sections; // upper-case name to child
    std::string errorValue;
    std::string lastError;
    IniSaveOutcome lastSave;
};

// Sentinels of the typed getters for a missing key.
extern const char* const kIniErrorValue; // "__INI_ERROR__"
extern const int kIniMissingInt;         // 2147483647
extern const float kIniMissingFloat;     // 3.40282347e38
// Sections nest at most this many levels below the document.
extern const int kIniMaxDepth;
