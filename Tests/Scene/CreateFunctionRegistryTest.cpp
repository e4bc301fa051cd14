// The registry on its own, and the registry the start-up fills. This program registers nothing
// of its own and refers to no symbol of the start-up files, so finding them proves they linked.
#include "Scene/CreateFunctionRegistry.h"
#include "Scene/AnimationKeyKinds.h"
#include "Scene/NiObject.h"
#include "Scene/NiPointer.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Chains = std::vector<std::vector<std::string>>;

// The keys of every bucket, in chain order.
Chains ChainsOf(const CreateFunctionRegistry& registry) {
    Chains chains(CreateFunctionRegistry::BUCKET_COUNT);
    for (unsigned b = 0; b < CreateFunctionRegistry::BUCKET_COUNT; ++b)
        registry.ForEachInBucket(
            b, [&](const char* key, CreateFunction) { chains[b].push_back(key); });
    return chains;
}

// The chains that registering `names` in order makes: newest first.
Chains ChainsAfter(const std::vector<std::string>& names) {
    Chains chains(CreateFunctionRegistry::BUCKET_COUNT);
    for (const std::string& name : names) {
        auto& chain = chains[CreateFunctionRegistry::BucketOf(name.c_str())];
        chain.insert(chain.begin(), name);
    }
    return chains;
}

} // namespace

TEST(Scene, HashTakesBytesAsSignedAndWrapsAt32Bits) {
    ExpectEachRow(SCENE_TEST_DATA "/hashes.txt", [](const Row& row) {
        return std::to_string(CreateFunctionRegistry::Hash(row[0].c_str())) + " " +
               std::to_string(CreateFunctionRegistry::BucketOf(row[0].c_str()));
    });
}

TEST(Scene, RegistryReplacesAnEqualNameAndChainsNewestFirst) {
    CreateFunction first = [] { return static_cast<NiObject*>(nullptr); }, found = nullptr;
    CreateFunction second = [] { return static_cast<NiObject*>(nullptr); };
    CreateFunctionRegistry registry;
    EXPECT_FALSE(registry.Find("NiNode", found));
    // 'A' is 65 and 'f' is 102: both in bucket 28. A different pointer to the same text is the
    // same name.
    static const char sameName[] = "NiNode";
    for (const char* name : {"NiNode", "A", "f"})
        ASSERT_TRUE(registry.Insert(name, first));
    ASSERT_TRUE(registry.Insert(sameName, second));
    EXPECT_EQ(3u, registry.GetCount());
    ASSERT_TRUE(registry.Find("NiNode", found));
    EXPECT_EQ(second, found);
    EXPECT_EQ(ChainsAfter({"NiNode", "A", "f"}), ChainsOf(registry));
}

TEST(Scene, StartupRegistersExactlyTheNinetyOneClassesCaseSensitively) {
    std::vector<std::string> order; // the 91 classes, in the order the start-up registers them
    for (const Row& row : ReadTable(SCENE_TEST_DATA "/startup_order.txt"))
        order.push_back(row[0]);
    ASSERT_EQ(91u, order.size());
    for (const std::string& name : order) {
        CreateFunction create = nullptr;
        ASSERT_TRUE(FindCreateFunction(name.c_str(), create)) << name;
        NiPointer<NiObject> object = create();
        ASSERT_TRUE(object) << name;
        EXPECT_EQ(name, object->GetRTTI()->GetName());
        EXPECT_EQ(1u, object->GetRefCount());
        // Registering again, as the modules do, returns false and changes nothing.
        EXPECT_FALSE(RegisterCreateFunction(name.c_str(), create));
    }
    for (const char* absent :
         {"ninode", "NINODE", "NiNode ", "", "NiObject", "NiObjectNET", "NiAVObject",
          "NiTimeController", "NiProperty", "NiGeometryData", "NiLight", "NiDynamicEffect"}) {
        CreateFunction found = nullptr;
        EXPECT_FALSE(FindCreateFunction(absent, found)) << absent;
    }
    EXPECT_EQ(91u, GetCreateFunctionCount());
    ASSERT_NE(nullptr, GetCreateFunctionRegistry());
    EXPECT_EQ(ChainsAfter(order), ChainsOf(*GetCreateFunctionRegistry()));
}

TEST(Scene, AnimationKeyKindsFillTheirSlotsOnceInTheStatedOrder) {
    const std::string order = "00 02 10 12 20 22 30 24 31 01 11 21 13 23 03"; // content, type
    EXPECT_EQ(0, (RegisterAnimationKeyKind<2, 4>()));
    EXPECT_EQ(0, (RegisterAnimationKeyKind<0, 0>()));
    EXPECT_EQ(15u, GetAnimationKeyKindCount());
    std::string filled(order.size(), ' ');
    for (unsigned slot = 0; slot < KEY_KIND_SLOT_COUNT; ++slot) {
        const AnimationKeyKind* kind = GetAnimationKeyKind(slot);
        ASSERT_NE(nullptr, kind);
        if (kind->registrationOrder == 0)
            continue;
        EXPECT_EQ(slot, KeyKindSlot(kind->content, kind->type));
        size_t at = 3 * (kind->registrationOrder - 1);
        ASSERT_LT(at, order.size());
        filled.replace(at, 2, {char('0' + kind->content), char('0' + kind->type)});
    }
    EXPECT_EQ(order, filled);
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
