#include "Ini/LanguagePack.h"

#include <limits>

bool LanguagePack::AddText(const std::string& id, const std::string& text) {
    if (!texts.emplace(id, text).second)
        return false;
    // Saturate rather than wrap: a wrapped size would make the cache keep an oversized pack.
    const uint64_t grown = uint64_t(byteSize) + id.size() + text.size();
    const uint64_t limit = std::numeric_limits<uint32_t>::max();
    byteSize = static_cast<uint32_t>(grown < limit ? grown : limit);
    return true;
}
