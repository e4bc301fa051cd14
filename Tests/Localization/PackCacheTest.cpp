#include "Ini/PackCache.h"

#include <gtest/gtest.h>

namespace {

// A builder whose packs weigh what their language names as a number; "fail" makes none.
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
    out->source = key.first;
    out->language = key.second;
    out->byteSize = static_cast<uint32_t>(std::stoul(key.second));
    return true;
}

void Destroy(LanguagePack* pack) {
    ++destroyed;
    delete pack;
}

class PackCacheTest : public ::testing::Test {
protected:
    void SetUp() override { built = destroyed = 0; }
};

TEST_F(PackCacheTest, CachedPackIsServedWithoutRebuildingAndAFailedBuildLeavesNoEntry) {
    EXPECT_EQ(PackCache(&SizeOf, &Build, &Destroy).Capacity(), 512000u);
    PackCache cache(&SizeOf, &Build, &Destroy, 100);
    LanguagePack* first = cache.Find(PackKey("GAME", "6"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->language, "6");
    EXPECT_EQ(cache.Find(PackKey("GAME", "6")), first);
    EXPECT_EQ(cache.Find(PackKey("GAME", "fail")), nullptr);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(cache.Count(), 1u);
    EXPECT_EQ(cache.TotalSize(), 6u);
}

TEST_F(PackCacheTest, FullCacheEvictsTheFirstKeysBeforeBuilding) {
    PackCache cache(&SizeOf, &Build, &Destroy, 10);
    cache.Find(PackKey("B", "6"));
    cache.Find(PackKey("A", "6")); // 6 is below 10: nothing is evicted
    EXPECT_EQ(cache.TotalSize(), 12u);
    // 12 is not below 10: ("A", "6") goes first, which brings the total to 6.
    cache.Find(PackKey("C", "1"));
    EXPECT_FALSE(cache.Contains(PackKey("A", "6")));
    EXPECT_TRUE(cache.Contains(PackKey("B", "6")));
    EXPECT_EQ(cache.TotalSize(), 7u);
    EXPECT_EQ(destroyed, 1);
    // Keys order by source, then language: ("B", "10") sorts before ("B", "6").
    cache.Find(PackKey("B", "10"));
    cache.Find(PackKey("D", "1"));
    EXPECT_FALSE(cache.Contains(PackKey("B", "10")));
    EXPECT_TRUE(cache.Contains(PackKey("B", "6")));
}

TEST_F(PackCacheTest, PackGrownAfterEnteringIsEvictedWithoutWrappingTheTotal) {
    PackCache cache(&SizeOf, &Build, &Destroy, 10);
    LanguagePack* pack = cache.Find(PackKey("A", "9"));
    pack->AddText("E_NEW_IDENTIFIER", "E_NEW_IDENTIFIER");
    EXPECT_EQ(pack->byteSize, 41u);
    cache.Find(PackKey("B", "2"));
    cache.Find(PackKey("C", "3"));
    EXPECT_FALSE(cache.Contains(PackKey("A", "9")));
    EXPECT_EQ(cache.TotalSize(), 5u);
}

TEST_F(PackCacheTest, DroppingASourceDestroysOnlyItsPacksAndTheCacheTheRest) {
    {
        PackCache cache(&SizeOf, &Build, &Destroy, 100);
        cache.Find(PackKey("GAME", "1"));
        cache.Find(PackKey("GAME", "2"));
        cache.Find(PackKey("MENU", "4"));
        cache.DropSource("GAME");
        EXPECT_EQ(cache.Count(), 1u);
        EXPECT_EQ(cache.TotalSize(), 4u);
        EXPECT_EQ(destroyed, 2);
    }
    EXPECT_EQ(destroyed, 3);
}

TEST(LanguagePack, FirstTextOfAnIdentifierStaysAndIsCountedOnce) {
    LanguagePack pack;
    EXPECT_TRUE(pack.AddText("E_A", "abc"));
    EXPECT_FALSE(pack.AddText("E_A", "longer text"));
    EXPECT_EQ(pack.texts.at("E_A"), "abc");
    EXPECT_EQ(pack.byteSize, 6u);
}

} // namespace
