#include "Ini/PackCache.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

#include "TempDir.h"

static int destroyed = 0;
// A pack weighs its language read as a number; the language "fail" gets no pack.
const PackCache::SizeFn kSizeOf = [](const LanguagePack& pack) { return pack.byteSize; };
const PackCache::CreateFn kBuild = [](LanguagePack*& out, const PackKey& key) {
    out = key.second == "fail" ? nullptr : new LanguagePack();
    if (out)
        out->byteSize = static_cast<uint32_t>(std::stoul(key.second));
    return out != nullptr;
};
const PackCache::DestroyFn kDestroy = [](LanguagePack* pack) {
    ++destroyed;
    delete pack;
};

// Replays a row of packs.txt.
static std::string Replay(const Row& row) {
    destroyed = 0;
    PackCache cache(kSizeOf, kBuild, kDestroy, static_cast<uint32_t>(std::stoul(row[0])));
    std::set<PackKey> keys;
    std::istringstream ops(row[1]);
    for (std::string op; ops >> op;) {
        const std::string name = op.substr(op[0] == '+' || op[0] == '-');
        const PackKey key(name.substr(0, name.find('/')), name.substr(name.find('/') + 1));
        if (op[0] == '-') {
            cache.DropSource(name);
            continue;
        }
        keys.insert(key);
        LanguagePack* pack = cache.Find(key);
        if (op[0] == '+')
            pack->AddText("E_NEW_IDENTIFIER", "E_NEW_IDENTIFIER");
    }
    std::string result;
    for (const PackKey& key : keys)
        result += cache.Contains(key) ? key.first + "/" + key.second + " " : "";
    return result + "total " + std::to_string(cache.TotalSize()) + " destroyed " +
           std::to_string(destroyed);
}

TEST(PackCache, EvictsInKeyOrderWhileTheTotalIsNotBelowTheCapacity) {
    ExpectEachRow(TEST_DATA "/packs.txt", Replay);
    EXPECT_EQ(PackCache(kSizeOf, kBuild, kDestroy).Capacity(), 512000u);
    LanguagePack pack; // the first text of an identifier stays and counts once
    EXPECT_TRUE(pack.AddText("E_A", "abc"));
    EXPECT_FALSE(pack.AddText("E_A", "longer text"));
    EXPECT_EQ(pack.texts.at("E_A") + std::to_string(pack.byteSize), "abc6");
}
