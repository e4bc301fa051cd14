#include "Ini/PackCache.h"

PackCache::PackCache(SizeFn sizeOf, CreateFn create, DestroyFn destroy, uint32_t capacity)
    : sizeOf(sizeOf), create(create), destroy(destroy), capacity(capacity) {}

PackCache::~PackCache() {
    for (auto& entry : entries)
        destroy(entry.second.pack);
}

LanguagePack* PackCache::Find(const PackKey& key) {
    auto found = entries.find(key);
    if (found != entries.end())
        return found->second.pack;

    while (totalSize >= capacity && !entries.empty())
        EvictFirst();

    LanguagePack* pack = nullptr;
    if (!create(pack, key) || !pack)
        return nullptr;
    const uint32_t size = sizeOf(*pack);
    entries.emplace(key, Entry{pack, size});
    // Saturate: an overflowing total would let the cache grow without bound.
    totalSize = (size > UINT32_MAX - totalSize) ? UINT32_MAX : totalSize + size;
    return pack;
}

void PackCache::DropSource(const std::string& source) {
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->first.first == source) {
            Subtract(it->second.size);
            destroy(it->second.pack);
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
}

void PackCache::Subtract(uint32_t size) {
    // After a saturated total the sizes can add up to more than the total.
    totalSize = size < totalSize ? totalSize - size : 0;
}

void PackCache::EvictFirst() {
    auto first = entries.begin();
    // The size recorded on entry, not the pack's current size: packs grow after they enter
    // (unknown identifiers are added to them), and subtracting the grown size would wrap.
    Subtract(first->second.size);
    destroy(first->second.pack);
    entries.erase(first);
}
