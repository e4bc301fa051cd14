#include "Ini/PackCache.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace {

int built = 0;
int destroyed = 0;

uint32_t SizeOf(const LanguagePack& pack) {
    return pack.byteSize;
}

// A pack weighs its language read as a number; the language "fail" gets no pack.
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

// Replays `script` on a cache of `capacity`: "S/L" finds the pack of source S in language L,
// "+S/L" also grows it by 32 characters after it entered, "-S" drops the packs of S. The
// result lists the keys still cached, the total and the packs built and destroyed, and after
// the cache's end the packs destroyed in all.
std::string Replay(uint32_t capacity, const std::string& script) {
    built = destroyed = 0;
    std::string result;
    {
        PackCache cache(&SizeOf, &Build, &Destroy, capacity);
        std::set<PackKey> keys;
        std::istringstream ops(script);
        for (std::string op; ops >> op;) {
            if (op[0] == '-') {
                cache.DropSource(op.substr(1));
                continue;
            }
            const std::string name = op.substr(op[0] == '+');
            const PackKey key(name.substr(0, name.find('/')), name.substr(name.find('/') + 1));
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
    const struct {
        uint32_t capacity;
        const char *script, *result;
    } rows[] = {
        {100, "GAME/6 GAME/6 GAME/fail", "GAME/6 total 6 built 1 destroyed 0, 1"},
        // 6 is below 10: nothing goes. 12 is not: A/6 goes first, leaving 6.
        {10, "B/6 A/6", "A/6 B/6 total 12 built 2 destroyed 0, 2"},
        {10, "B/6 A/6 C/1", "B/6 C/1 total 7 built 3 destroyed 1, 3"},
        // Keys order by source, then language: B/10 sorts before B/6.
        {10, "B/6 A/6 C/1 B/10 D/1", "B/6 C/1 D/1 total 8 built 5 destroyed 2, 5"},
        // A pack counts with the size it had when it entered, so the total does not wrap.
        {10, "+A/9 B/2 C/3", "B/2 C/3 total 5 built 3 destroyed 1, 3"},
        {100, "GAME/1 GAME/2 MENU/4 -GAME", "MENU/4 total 4 built 3 destroyed 2, 3"},
        {0, "A/5 B/5", "B/5 total 5 built 2 destroyed 1, 2"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Replay(row.capacity, row.script), row.result) << row.script;
    EXPECT_EQ(PackCache(&SizeOf, &Build, &Destroy).Capacity(), 512000u);
}

TEST(LanguagePack, FirstTextOfAnIdentifierStaysAndIsCountedOnce) {
    LanguagePack pack;
    EXPECT_TRUE(pack.AddText("E_A", "abc"));
    EXPECT_FALSE(pack.AddText("E_A", "longer text"));
    EXPECT_EQ(pack.texts.at("E_A"), "abc");
    EXPECT_EQ(pack.byteSize, 6u);
}
