// The registry on its own, and the registry the start-up fills. This program registers nothing
// of its own and refers to no symbol of the start-up files, so finding them proves they linked.
#include "Scene/CreateFunctionRegistry.h"
#include "Scene/AnimationKeyKinds.h"
#include "Scene/NiObject.h"
#include "Scene/NiPointer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

NiObject* MakeFirst() {
    return nullptr;
}
NiObject* MakeSecond() {
    return nullptr;
}

// The 91 classes, in the order the start-up registers them first.
std::vector<std::string> StartupOrder() {
    std::ifstream text(SCENE_TEST_DATA "/startup_order.txt");
    std::vector<std::string> names;
    for (std::string name; text >> name;)
        names.push_back(name);
    return names;
}

std::vector<std::string> Chain(const CreateFunctionRegistry& registry, unsigned bucket) {
    std::vector<std::string> keys;
    registry.ForEachInBucket(bucket, [&](const char* key, CreateFunction) { keys.push_back(key); });
    return keys;
}

} // namespace

TEST(Scene, HashTakesBytesAsSignedAndWrapsAt32Bits) {
    // NiNode step by step: 78, 2679, 88485, 2920116, 96363928, 3180009725. 0xE9 is -23.
    const std::pair<const char*, unsigned> rows[] = {{"", 0},
                                                     {"A", 65},
                                                     {"Ni", 2679},
                                                     {"NiNode", 3180009725u},
                                                     {"\xE9", 4294967273u},
                                                     {"\351a", 4294966634u}};
    for (const auto& row : rows)
        EXPECT_EQ(row.second, CreateFunctionRegistry::Hash(row.first)) << row.first;
    EXPECT_EQ(29u, CreateFunctionRegistry::BucketOf("NiNode"));
    EXPECT_EQ(21u, CreateFunctionRegistry::BucketOf("\xE9"));
}

TEST(Scene, RegistryReplacesAnEqualNameAndChainsNewestFirst) {
    CreateFunctionRegistry registry;
    CreateFunction found = nullptr;
    EXPECT_FALSE(registry.Find("NiNode", found));
    ASSERT_TRUE(registry.Insert("NiNode", &MakeFirst));
    ASSERT_TRUE(registry.Insert("NiCamera", &MakeFirst));
    // A different pointer with the same text is the same name.
    static const char sameName[] = "NiNode";
    ASSERT_TRUE(registry.Insert(sameName, &MakeSecond));
    EXPECT_EQ(2u, registry.GetCount());
    ASSERT_TRUE(registry.Find("NiNode", found));
    EXPECT_EQ(&MakeSecond, found);
    EXPECT_EQ((std::vector<std::string>{"NiNode"}), Chain(registry, 29));

    // 'A' is 65 and 'f' is 102: both in bucket 28.
    CreateFunctionRegistry shared;
    shared.Insert("A", &MakeFirst);
    shared.Insert("f", &MakeSecond);
    const std::vector<std::string> none, both = {"f", "A"};
    for (unsigned b = 0; b < CreateFunctionRegistry::BUCKET_COUNT; ++b)
        EXPECT_EQ(b == 28 ? both : none, Chain(shared, b)) << b;
}

TEST(Scene, StartupRegistersExactlyTheNinetyOneClassesCaseSensitively) {
    const std::vector<std::string> order = StartupOrder();
    ASSERT_EQ(91u, order.size());
    EXPECT_EQ(91u, GetCreateFunctionCount());
    for (const std::string& name : order) {
        CreateFunction create = nullptr;
        ASSERT_TRUE(FindCreateFunction(name.c_str(), create)) << name;
        NiPointer<NiObject> object = create();
        ASSERT_TRUE(object) << name;
        EXPECT_EQ(name, object->GetRTTI()->GetName());
        EXPECT_EQ(1u, object->GetRefCount());
    }
    for (const char* absent :
         {"ninode", "NINODE", "NiNode ", "", "NiObject", "NiObjectNET", "NiAVObject",
          "NiTimeController", "NiProperty", "NiGeometryData", "NiLight", "NiDynamicEffect"}) {
        CreateFunction found = nullptr;
        EXPECT_FALSE(FindCreateFunction(absent, found)) << absent;
    }
    // Each bucket holds its classes newest first, so in reverse of the stated order.
    std::vector<std::string> expected[CreateFunctionRegistry::BUCKET_COUNT];
    for (const std::string& name : order) {
        auto& chain = expected[CreateFunctionRegistry::BucketOf(name.c_str())];
        chain.insert(chain.begin(), name);
    }
    const CreateFunctionRegistry* registry = GetCreateFunctionRegistry();
    ASSERT_NE(nullptr, registry);
    for (unsigned b = 0; b < CreateFunctionRegistry::BUCKET_COUNT; ++b)
        EXPECT_EQ(expected[b], Chain(*registry, b)) << b;
}

TEST(Scene, RegisteringAgainReturnsFalseAndChangesNothing) {
    CreateFunction before = nullptr, after = nullptr;
    ASSERT_TRUE(FindCreateFunction("NiExtraData", before));
    EXPECT_FALSE(RegisterCreateFunction("NiExtraData", before));
    ASSERT_TRUE(FindCreateFunction("NiExtraData", after));
    EXPECT_EQ(before, after);
    EXPECT_EQ(91u, GetCreateFunctionCount());
}

TEST(Scene, AnimationKeyKindsFillTheirSlotsOnceInTheStatedOrder) {
    const unsigned order[][2] = {{0, 0}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 2}, {3, 0}, {2, 4},
                                 {3, 1}, {0, 1}, {1, 1}, {2, 1}, {1, 3}, {2, 3}, {0, 3}};
    EXPECT_EQ(0, (RegisterAnimationKeyKind<2, 4>()));
    EXPECT_EQ(0, (RegisterAnimationKeyKind<0, 0>()));
    EXPECT_EQ(15u, GetAnimationKeyKindCount());
    for (unsigned i = 0; i < 15; ++i) {
        const AnimationKeyKind* kind = GetAnimationKeyKind(order[i][0] * 5 + order[i][1]);
        ASSERT_NE(nullptr, kind);
        EXPECT_EQ(order[i][0], kind->content);
        EXPECT_EQ(order[i][1], kind->type);
        EXPECT_EQ(i + 1, kind->registrationOrder) << i;
    }
    unsigned filled = 0;
    for (unsigned slot = 0; slot < KEY_KIND_SLOT_COUNT; ++slot)
        filled += GetAnimationKeyKind(slot)->registrationOrder != 0;
    EXPECT_EQ(15u, filled);
    EXPECT_EQ(nullptr, GetAnimationKeyKind(20));
}

TEST(Scene, NothingIsFoundAfterTheRegistryIsDestroyed) {
    // In a child process: the exit handler does the same when the program ends.
    EXPECT_EXIT(
        {
            DestroyCreateFunctionRegistry();
            CreateFunction found = nullptr;
            bool stillFound = FindCreateFunction("NiNode", found);
            bool registered = RegisterCreateFunction("NiNode", found);
            std::exit(stillFound || registered || GetCreateFunctionCount() != 0 ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
