#include "Ini/LanguageSelection.h"

#include "App/Report.h"
#include "App/StringUtil.h"
#include "Harvel/CFileHarvel_WIN.h"
#include "Ini/CIniFile.h"
#include "Ini/LocalizationTesting.h"

std::vector<std::string> LanguageNames;
std::vector<std::string> LanguageFolders;
int LanguageCount = 0;
int SelectedLanguage = 0;

namespace {

const char* const kLanguageListPath = "DATA\\INI\\Various.ini";
const char* const kLanguageSection = "LANGUAGES";
const char* const kLanguageFolderRoot = "Data\\Ini\\";

// Appends the entries "0" to "count - 1" that hold a name and a folder. A number missing from
// the sequence, or a value without two non-empty fields, is skipped: an empty folder field
// would name "Data\Ini\" itself, which always exists.
void ReadLanguageList(CIniFile& list, int count) {
    std::vector<std::string> fields;
    for (int i = 0; i < count; ++i) {
        SplitList(list.GetStringOr(kLanguageSection, FormatText("%d", i), ""), fields);
        if (fields.size() < 2 || fields[0].empty() || fields[1].empty())
            continue;
        LanguageNames.push_back(fields[0]);
        LanguageFolders.push_back(kLanguageFolderRoot + fields[1]);
    }
    LanguageCount = static_cast<int>(LanguageNames.size());
}

void ClearLanguageLists() {
    LanguageNames.clear();
    LanguageFolders.clear();
    LanguageCount = 0;
    SelectedLanguage = 0;
}

} // namespace

void SelectLanguage() {
    ClearLanguageLists();
    CIniFile list;
    if (!list.Load(kLanguageListPath))
        ReportWarning("Missing language pack");
    const CIniFile* section = list.FindSection(kLanguageSection);
    ReadLanguageList(list, section ? static_cast<int>(section->Keys().size()) : 0);
    for (int i = 0; i < LanguageCount; ++i) {
        if (FileExists(LanguageFolders[i]) == 1) {
            SelectedLanguage = i;
            break;
        }
    }
}

int ClampLanguageIndex(int index) {
    if (index < 0)
        return 0;
    return index < LanguageCount - 1 ? index : LanguageCount - 1;
}

std::string GetLanguageName(int index) {
    if (index < 0 || index >= static_cast<int>(LanguageNames.size()))
        return std::string();
    return LanguageNames[index];
}

void ResetLanguageSelectionForTesting() {
    ClearLanguageLists();
}
