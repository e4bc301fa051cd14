// Every text the dialog shows, looked up by identifier in the current language.
#pragma once

#include <string>

class CIniFile;

// Creates the pack cache (capacity 512000 characters of identifiers and texts).
void CreateLocalization();

// Names a loaded text document (one section per identifier, one key per language). The
// document is not owned and must outlive every Localize call; a null document is ignored.
void RegisterLocalizationSource(const std::string& source, CIniFile* document,
                                bool preload = false);

// Makes `language` current, builds the packs it needs, and returns the previous language.
std::string SetLanguage(const std::string& language);

// The text of `id` from `source` in the current language; an unknown identifier gives the
// identifier itself. A text is a format with no arguments here: only "%%" becomes "%", every
// other conversion stays as written.
std::string Localize(const std::string& source, const std::string& id);

// As Localize, with the text expanded as a printf format with the arguments, into a buffer
// of the text's length plus 1024 characters (a longer expansion is truncated). The text comes
// from a data file: use it only with identifiers whose texts hold the conversions the
// arguments match. (`id` is a plain pointer because va_start cannot follow a reference.)
std::string LocalizeFormat(const std::string& source, const char* id, ...);
