#include "Ini/Localization.h"

#include <cstdarg>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "App/Report.h"
#include "Ini/CIniFile.h"
#include "Ini/LocalizationTesting.h"
#include "Ini/PackCache.h"

namespace {

struct LocalizationState {
    std::map<std::string, CIniFile*> registry; // not owned
    std::string currentLanguage;
    std::vector<std::string> knownLanguages; // in order of first use
    std::unique_ptr<PackCache> cache;
};

LocalizationState& State() {
    static LocalizationState state;
    return state;
}

uint32_t PackSize(const LanguagePack& pack) {
    return pack.byteSize;
}

void DestroyPack(LanguagePack* pack) {
    delete pack;
}

// One text per direct section of the source's document, read under the language's key.
bool BuildPack(LanguagePack*& out, const PackKey& key) {
    auto found = State().registry.find(key.first);
    if (found == State().registry.end())
        ReportError("Localization pack not found");
    auto pack = std::make_unique<LanguagePack>();
    pack->source = key.first;
    pack->language = key.second;
    for (const auto& section : found->second->Sections()) {
        // GetString warns for a section that lacks the language and gives "__INI_ERROR__".
        const std::string text = section.second->GetString(key.second);
        pack->AddText(section.second->GetSectionName(), text);
    }
    out = pack.release();
    return true;
}

// The text as a format without arguments: only "%%" becomes "%", every other conversion stays
// as written, since a translation's "%s" or "%n" would otherwise reach for arguments that were
// never passed. Cut at the first NUL as a C text would be.
std::string ExpandWithoutArguments(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
        result += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
            ++i;
    }
    return result;
}

std::string ExpandWithArguments(const std::string& text, va_list args) {
    std::vector<char> buffer(text.size() + 1024, '\0');
    vsnprintf(buffer.data(), buffer.size(), text.c_str(), args);
    return std::string(buffer.data());
}

// Adds (id, id) to the pack of every registered source in every known language that lacks it.
void SpreadUnknownIdentifier(const std::string& id) {
    LocalizationState& state = State();
    for (const auto& source : state.registry) {
        for (const std::string& language : state.knownLanguages) {
            LanguagePack* pack = state.cache->Find(PackKey(source.first, language));
            if (!pack) {
                ReportWarning("Cannot create language pack");
                continue;
            }
            pack->AddText(id, id);
        }
    }
}

// The text of `id` in the current language, before expansion; `id` itself when there is none.
std::string LookUpText(const std::string& source, const std::string& id) {
    LocalizationState& state = State();
    if (!state.cache)
        return id;
    LanguagePack* pack = state.cache->Find(PackKey(source, state.currentLanguage));
    if (!pack) {
        ReportWarning("Cannot create language pack");
        return id;
    }
    auto found = pack->texts.find(id);
    if (found != pack->texts.end())
        return found->second;
    // `pack` may be evicted by the lookups that follow: it is not used after this.
    pack->AddText(id, id);
    SpreadUnknownIdentifier(id);
    return id;
}

} // namespace

void CreateLocalization() {
    State().cache = std::make_unique<PackCache>(&PackSize, &BuildPack, &DestroyPack,
                                                PackCache::kDefaultCapacity);
}

void RegisterLocalizationSource(const std::string& source, CIniFile* document, bool preload) {
    if (!document)
        return;
    LocalizationState& state = State();
    auto found = state.registry.find(source);
    if (found != state.registry.end() && found->second != document && state.cache) {
        // Packs built from the document this name named before must not outlive it.
        state.cache->DropSource(source);
    }
    state.registry[source] = document;
    if (preload && state.cache) {
        for (const std::string& language : state.knownLanguages)
            state.cache->Find(PackKey(source, language));
    }
}

std::string SetLanguage(const std::string& language) {
    LocalizationState& state = State();
    std::string previous = state.currentLanguage;
    state.currentLanguage = language;
    bool known = false;
    for (const std::string& entry : state.knownLanguages)
        known = known || entry == language;
    if (!known)
        state.knownLanguages.push_back(language);
    if (state.cache) {
        for (const auto& source : state.registry)
            for (const std::string& entry : state.knownLanguages)
                state.cache->Find(PackKey(source.first, entry));
    }
    return previous;
}

std::string Localize(const std::string& source, const std::string& id) {
    return ExpandWithoutArguments(LookUpText(source, id));
}

std::string LocalizeFormat(const std::string& source, const char* id, ...) {
    const std::string text = LookUpText(source, id ? id : "");
    va_list args;
    va_start(args, id);
    std::string result = ExpandWithArguments(text, args);
    va_end(args);
    return result;
}

void ResetLocalizationForTesting() {
    LocalizationState& state = State();
    state.cache.reset();
    state.registry.clear();
    state.currentLanguage.clear();
    state.knownLanguages.clear();
}
