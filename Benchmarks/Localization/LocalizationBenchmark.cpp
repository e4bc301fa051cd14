// Costs of the localization: a lookup of a known and of an unknown identifier, and building the
// packs of a text file (the sample game's, and a large one that overflows the cache).
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "Ini/CIniFile.h"
#include "Ini/Localization.h"
#include "Ini/LocalizationTesting.h"

namespace {

std::string SampleTexts() {
    std::ifstream in(VELMARK_SOURCE_ROOT "/SampleGame/DATA/INI/LocalizedStrings.ini",
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// `count` identifiers, each with an English, a French and a German text of about 40 characters.
std::string ManyTexts(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        text += "[E_TEXT_" + n + "]\r\nEnglish = \"English text number " + n +
                " of the benchmark\"\r\nFrench = \"Texte fran\xE7"
                "ais num\xE9ro " +
                n + " du banc d'essai\"\r\nGerman = \"Deutscher Text Nummer " + n +
                " des Benchmarks\"\r\n";
    }
    return text;
}

void Start(CIniFile& document, const std::string& bytes, const char* language) {
    ResetLocalizationForTesting();
    document.Parse(bytes.data(), bytes.size());
    CreateLocalization();
    RegisterLocalizationSource("GAME", &document);
    SetLanguage(language);
}

void LocalizeKnownIdentifier(benchmark::State& state) {
    CIniFile document;
    Start(document, SampleTexts(), "French");
    for (auto _ : state)
        benchmark::DoNotOptimize(Localize("GAME", "E_SETUP_FOREST_LOADING_SPEED"));
    ResetLocalizationForTesting();
}
BENCHMARK(LocalizeKnownIdentifier);

void LocalizeUnknownIdentifier(benchmark::State& state) {
    CIniFile document;
    Start(document, SampleTexts(), "French");
    for (auto _ : state)
        benchmark::DoNotOptimize(Localize("GAME", "E_NOT_IN_THE_FILE"));
    ResetLocalizationForTesting();
}
BENCHMARK(LocalizeUnknownIdentifier);

// Builds the pack of one language from a parsed document of range(0) identifiers.
void BuildPack(benchmark::State& state) {
    CIniFile document;
    const std::string bytes = ManyTexts(static_cast<int>(state.range(0)));
    document.Parse(bytes.data(), bytes.size());
    for (auto _ : state) {
        ResetLocalizationForTesting();
        CreateLocalization();
        RegisterLocalizationSource("GAME", &document);
        SetLanguage("English");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    ResetLocalizationForTesting();
}
BENCHMARK(BuildPack)->Arg(49)->Arg(1000)->Arg(10000);

// Three languages whose packs together pass the 512000-character bound: each SetLanguage
// looks up all three packs, evicting and rebuilding one or more of them.
void SetLanguageOverTheBound(benchmark::State& state) {
    CIniFile document;
    Start(document, ManyTexts(6000), "English");
    SetLanguage("French");
    const char* const languages[] = {"German", "English", "French"};
    int next = 0;
    for (auto _ : state) {
        SetLanguage(languages[next]);
        benchmark::DoNotOptimize(Localize("GAME", "E_TEXT_5"));
        next = (next + 1) % 3;
    }
    ResetLocalizationForTesting();
}
BENCHMARK(SetLanguageOverTheBound);

} // namespace
