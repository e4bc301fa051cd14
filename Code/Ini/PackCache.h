// A cache of language packs bounded by the characters they hold, keyed by (source, language).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "Ini/LanguagePack.h"

// Entries are ordered by source, then language, both compared byte-wise.
using PackKey = std::pair<std::string, std::string>; // (source, language)

class PackCache {
public:
    using SizeFn = uint32_t (*)(const LanguagePack& pack);
    // Builds the pack for `key` into `out` (a new pack the cache then owns); false when no
    // pack can be made, `out` then being ignored.
    using CreateFn = bool (*)(LanguagePack*& out, const PackKey& key);
    using DestroyFn = void (*)(LanguagePack* pack);

    static constexpr uint32_t kDefaultCapacity = 512000;

    PackCache(SizeFn sizeOf, CreateFn create, DestroyFn destroy,
              uint32_t capacity = kDefaultCapacity);
    virtual ~PackCache();

    // The cached pack for `key`. When it is not cached, first removes entries in key order
    // while the total is not below the capacity, then builds the pack. Null when the builder
    // fails. The pointer stays valid until a later Find evicts the entry or the cache dies.
    LanguagePack* Find(const PackKey& key);

    // Removes and destroys every pack of `source`.
    void DropSource(const std::string& source);

    uint32_t Capacity() const { return capacity; }
    // Sum of the packs' sizes taken as each entered the cache.
    uint32_t TotalSize() const { return totalSize; }
    size_t Count() const { return entries.size(); }
    bool Contains(const PackKey& key) const { return entries.count(key) != 0; }

private:
    struct Entry {
        LanguagePack* pack;
        uint32_t size; // what the pack added to totalSize when it entered
    };

    void EvictFirst();
    void Subtract(uint32_t size);

    SizeFn sizeOf;
    CreateFn create;
    DestroyFn destroy;
    uint32_t capacity;
    uint32_t totalSize = 0;
    std::map<PackKey, Entry> entries;

    PackCache(const PackCache&) = delete;
    PackCache& operator=(const PackCache&) = delete;
};
