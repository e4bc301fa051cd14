// The installed languages ("DATA\INI\Various.ini", section LANGUAGES) and the one chosen.
#pragma once

#include <string>
#include <vector>

// Filled by SelectLanguage; live for the whole run.
extern std::vector<std::string> LanguageNames;   // language names, in key order 0, 1, 2 ...
extern std::vector<std::string> LanguageFolders; // "Data\Ini\" + folder, same order
extern int LanguageCount;                        // entries in LanguageNames
extern int SelectedLanguage;                     // index of the chosen language, 0 at start

// Reads the language list and selects the first language, in list order, whose folder
// exists. Warns "Missing language pack" when the list file cannot be loaded. The keys "0" to
// (number of keys - 1) are read in that order; a number missing from that sequence, or a
// value without a non-empty name and a non-empty folder, is skipped and enters no list.
void SelectLanguage();

// 0 for a negative index, else the smaller of `index` and LanguageCount - 1.
int ClampLanguageIndex(int index);

// The name at `index`; the empty name when there is no such entry.
std::string GetLanguageName(int index);
