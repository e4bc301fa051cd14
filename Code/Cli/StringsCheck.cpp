// strings check: the localization files as a translator would check them against the dialog.
#include <algorithm>

#include "App/StringUtil.h"
#include "Cli/Commands.h"
#include "Cli/JsonOutput.h"
#include "Cli/SettingsFile.h"
#include "Harvel/CFileHarvel_WIN.h"
#include "Ini/CIniFile.h"
#include "Setup/DialogTexts.h"

namespace {

const char* const kStringsPath = "DATA\\INI\\LocalizedStrings.ini";
const char* const kLanguagesPath = "DATA\\INI\\Various.ini";
const char* const kAllLanguages = "all";

struct Finding {
    std::string section;
    std::string language;
    std::string message;
};

struct Language {
    std::string name;
    std::string folder;
};

// The declared languages, read as the settings program reads them; malformed entries, which
// it skips, are findings.
std::vector<Language> ReadLanguages(CIniFile& list, std::vector<Finding>& findings) {
    std::vector<Language> languages;
    const CIniFile* section = list.FindSection("LANGUAGES");
    const int count = section ? static_cast<int>(section->Keys().size()) : 0;
    std::vector<std::string> fields;
    for (int i = 0; i < count; ++i) {
        const std::string number = FormatText("%d", i);
        SplitList(list.GetStringOr("LANGUAGES", number, ""), fields);
        if (fields.size() >= 2 && !fields[0].empty() && !fields[1].empty())
            languages.push_back({fields[0], fields[1]});
        else
            findings.push_back({"LANGUAGES", kAllLanguages,
                                "entry " + number + " needs a name and a folder; it is skipped"});
    }
    if (languages.empty())
        findings.push_back({"LANGUAGES", kAllLanguages,
                            std::string("no language is declared in ") + kLanguagesPath});
    for (const Language& language : languages)
        if (FileExists("Data\\Ini\\" + language.folder) != 1)
            findings.push_back({"LANGUAGES", language.name,
                                "folder Data\\Ini\\" + language.folder + " is missing"});
    return languages;
}

// The length of the UTF-8 sequence of two or three bytes at `i`, or 0.
size_t Utf8SequenceAt(const std::string& text, size_t i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 0;
    return length;
}

// The problems of one text as the dialog would show it, each named once.
void CheckText(const std::string& text, std::vector<std::string>& problems) {
    std::string undefined, utf8;
    bool lonePercent = false;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) && undefined.empty())
            undefined = FormatText("byte %02X is no Windows-1252 character", c);
        size_t sequence = Utf8SequenceAt(text, i);
        if (sequence > 0 && utf8.empty())
            utf8 = "holds \"" + text.substr(i, sequence) +
                   "\" as UTF-8; the file must be Windows-1252";
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
            ++i;
        else if (text[i] == '%')
            lonePercent = true;
    }
    for (const std::string& problem : {undefined, utf8})
        if (!problem.empty())
            problems.push_back(problem);
    if (lonePercent)
        problems.push_back("a lone '%' is shown as written; a percent sign is written '%%'");
    if (text.empty())
        problems.push_back("is empty");
}

void CheckTexts(CIniFile& strings, const std::vector<Language>& languages,
                std::vector<Finding>& findings) {
    for (const std::string& id : DialogTextIds())
        if (strings.Sections().count(id) == 0)
            findings.push_back({id, kAllLanguages, "is missing; the dialog shows the identifier"});
    for (const auto& entry : strings.Sections()) {
        const std::string& id = entry.second->GetSectionName();
        const auto& texts = entry.second->Keys();
        for (const Language& language : languages) {
            auto text = texts.find(ToUpperCopy(language.name));
            if (text == texts.end()) {
                findings.push_back({id, language.name,
                                    "is missing; the settings program warns "
                                    "at start and shows __INI_ERROR__"});
                continue;
            }
            std::vector<std::string> problems;
            CheckText(text->second, problems);
            for (const std::string& problem : problems)
                findings.push_back({id, language.name, problem});
        }
        for (const auto& text : texts)
            if (std::none_of(languages.begin(), languages.end(), [&](const Language& language) {
                    return ToUpperCopy(language.name) == text.first;
                }))
                findings.push_back({id, text.first, "is a language Various.ini does not declare"});
    }
}

bool LoadOrReport(const Console& console, const char* path, CIniFile& document) {
    if (LoadExisting(path, document) == FileState::Loaded)
        return true;
    console.err << path << " is missing, empty or unreadable\n";
    return false;
}

void Print(const Console& console, const std::vector<Finding>& findings, bool json) {
    if (json) {
        Json list = Json::array();
        for (const Finding& finding : findings)
            list.push_back({{"section", Utf8(finding.section)},
                            {"language", Utf8(finding.language)},
                            {"message", Utf8(finding.message)}});
        PrintJson(console.out, {{"clean", findings.empty()}, {"findings", list}});
        return;
    }
    for (const Finding& finding : findings)
        console.out << console.Shown(finding.section + " [" + finding.language +
                                     "]: " + finding.message)
                    << '\n';
    console.out << kStringsPath << ": "
                << (findings.empty() ? "nothing found"
                                     : std::to_string(findings.size()) + " finding(s)")
                << '\n';
}

} // namespace

int StringsCheckCommand(const Console& console, bool json) {
    CIniFile strings;
    CIniFile list;
    if (!LoadOrReport(console, kStringsPath, strings) ||
        !LoadOrReport(console, kLanguagesPath, list))
        return kExitFileError;
    std::vector<Finding> findings;
    const std::vector<Language> languages = ReadLanguages(list, findings);
    CheckTexts(strings, languages, findings);
    Print(console, findings, json);
    return findings.empty() ? kExitOk : kExitFindings;
}
