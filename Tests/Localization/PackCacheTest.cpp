#include "Ini/PackCache.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

#include "TempDir.h"

namespace {

int built = 0;
int destroyed = 0;

uint32_t SizeOf(const LanguagePack& pack) {
    return pack.byteSize;
}

bool Build(LanguagePack*& out, const PackKey& key) {
    if (key.second == "fail")
        return false;
    ++built;
    out = new LanguagePack();
    out->byteSize = static_cast<uint32_t>(std::stoul(key.second));
    return true;
}

void Destroy(LanguagePack* pack) {
    ++destroyed;
    delete pack;
}

// Replays a row of packs.txt.
std::string Replay(const Row& row) {
    built = destroyed = 0;
    std::string result;
    {
        PackCache cache(&SizeOf, &Build, &Destroy, static_cast<uint32_t>(std::stoul(row[0])));
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
        for (const PackKey& key : keys)
            result += cache.Contains(key) ? key.first + "/" + key.second + " " : "";
        result += "total " + std::to_string(cache.TotalSize()) + " built " + std::to_string(built) +
                  " destroyed " + std::to_string(destroyed);
    }
    return result + ", " + std::to_string(destroyed);
}

} // namespace

TEST(PackCache, EvictsInKeyOrderWhileTheTotalIsNotBelowTheCapacity) {
    ExpectEachRow(TEST_DATA "/packs.txt", Replay);
    EXPECT_EQ(PackCache(&SizeOf, &Build, &Destroy).Capacity(), 512000u);
    LanguagePack pack; // the first text of an identifier stays and counts once
    EXPECT_TRUE(pack.AddText("E_A", "abc"));
    EXPECT_FALSE(pack.AddText("E_A", "longer text"));
    EXPECT_EQ(pack.texts.at("E_A") + std::to_string(pack.byteSize), "abc6");
}
