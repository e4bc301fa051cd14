// For tests only: the localization and the language selection keep process-wide state, which
// each test starts from scratch with these.
#pragma once

// Forgets every registered source, the current and known languages, and destroys the cache
// and its packs (as before CreateLocalization).
void ResetLocalizationForTesting();

// Empties LanguageNames and LanguageFolders and sets LanguageCount and SelectedLanguage to 0.
void ResetLanguageSelectionForTesting();
