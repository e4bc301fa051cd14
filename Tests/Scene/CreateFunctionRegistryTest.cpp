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

// Every bucket's keys in chain order, each as bucket:key.
std::string Chains(const CreateFunctionRegistry& registry) {
    std::string text;
    for (unsigned b = 0; b < CreateFunctionRegistry::BUCKET_COUNT; ++b)
        registry.ForEachInBucket(b, [&](const char* key, CreateFunction) {
            text += std::to_string(b) + ":" + key + " ";
        });
    return text;
}

} // namespace

TEST(Scene, RegistryHashesSignedBytesReplacesAnEqualNameAndChainsNewestFirst) {
    for (const Row& row : ReadTable(SCENE_TEST_DATA "/hashes.txt"))
        EXPECT_EQ(row[1], std::to_string(CreateFunctionRegistry::Hash(row[0].c_str())) + " " +
                              std::to_string(CreateFunctionRegistry::BucketOf(row[0].c_str())));
    CreateFunction first = [] { return static_cast<NiObject*>(nullptr); }, found = nullptr;
    CreateFunction second = [] { return static_cast<NiObject*>(nullptr); };
    CreateFunctionRegistry registry;
    // 'A' is 65 and 'f' is 102: both in bucket 28. A different pointer to the same text is the
    // same name.
    static const char sameName[] = "NiNode";
    for (const char* name : {"NiNode", "A", "f"})
        ASSERT_TRUE(registry.Insert(name, first));
    ASSERT_TRUE(registry.Insert(sameName, second));
    EXPECT_EQ(3u, registry.GetCount());
    ASSERT_TRUE(registry.Find("NiNode", found));
    EXPECT_EQ(second, found);
    EXPECT_EQ("28:f 28:A 29:NiNode ", Chains(registry));
}

TEST(Scene, StartupRegistersExactlyTheNinetyOneClassesCaseSensitively) {
    // The 91 classes, in the order the start-up registers them first.
    const std::vector<Row> order = ReadTable(SCENE_TEST_DATA "/startup_order.txt");
    CreateFunction create = nullptr;
    for (const Row& row : order) {
        ASSERT_TRUE(FindCreateFunction(row[0].c_str(), create)) << row[0];
        NiPointer<NiObject> object = create();
        ASSERT_TRUE(object) << row[0];
        EXPECT_EQ(row[0] + "/1",
                  object->GetRTTI()->GetName() + ("/" + std::to_string(object->GetRefCount())));
        // Registering again, as the modules do, returns false and changes nothing.
        EXPECT_FALSE(RegisterCreateFunction(row[0].c_str(), create));
    }
    for (const Row& absent : ReadTable(SCENE_TEST_DATA "/absent_names.txt"))
        EXPECT_FALSE(FindCreateFunction(absent[0].c_str(), create)) << absent[0];
    EXPECT_EQ(91u, GetCreateFunctionCount());
    // Each bucket holds its classes newest first, so in reverse of the order above.
    EXPECT_EQ(ReadTable(SCENE_TEST_DATA "/startup_chains.txt")[0][0],
              Chains(*GetCreateFunctionRegistry()));
}

TEST(Scene, AnimationKeyKindsFillTheirSlotsOnceInTheStatedOrder) {
    EXPECT_EQ(0, (RegisterAnimationKeyKind<2, 4>() + RegisterAnimationKeyKind<0, 0>()));
    EXPECT_EQ(15u, GetAnimationKeyKindCount());
    std::string kinds; // content and type of each kind in its own slot, in registration order
    for (unsigned order = 1; order <= 15; ++order)
        for (unsigned slot = 0; slot < KEY_KIND_SLOT_COUNT; ++slot) {
            const AnimationKeyKind& kind = *GetAnimationKeyKind(slot);
            if (kind.registrationOrder == order && slot == KeyKindSlot(kind.content, kind.type))
                kinds += {char('0' + kind.content), char('0' + kind.type), ' '};
        }
    EXPECT_EQ("00 02 10 12 20 22 30 24 31 01 11 21 13 23 03 ", kinds);
    EXPECT_EQ(nullptr, GetAnimationKeyKind(20));
}

TEST(Scene, NothingIsFoundAfterTheRegistryIsDestroyed) {
    // In a child process: the exit handler does the same when the program ends.
    EXPECT_EXIT(
        {
            DestroyCreateFunctionRegistry();
            CreateFunction found = nullptr;
            const bool anything = FindCreateFunction("NiNode", found) ||
                                  RegisterCreateFunction("NiNode", found) ||
                                  GetCreateFunctionCount() != 0;
            std::exit(anything ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
