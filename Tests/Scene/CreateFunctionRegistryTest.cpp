// The registry on its own, and the registry the program's start-up fills. This program
// registers nothing of its own, so the start-up's registrations are all it sees; it refers to
// no symbol of the start-up files, so finding them proves they were linked.
#include "Scene/CreateFunctionRegistry.h"
#include "Scene/AnimationKeyKinds.h"
#include "Scene/NiObject.h"
#include "Scene/NiPointer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
const char* const STARTUP_ORDER[] = {"NiSkinPartition",
                                     "NiExtraData",
                                     "NiTexturingProperty",
                                     "NiTextureEffect",
                                     "NiNode",
                                     "NiScreenPolygon",
                                     "NiScreenTexture",
                                     "NiCamera",
                                     "NiClusterAccumulator",
                                     "NiAlphaAccumulator",
                                     "NiAlphaProperty",
                                     "NiAmbientLight",
                                     "NiSkinData",
                                     "NiSkinInstance",
                                     "NiParticlesData",
                                     "NiParticles",
                                     "NiAutoNormalParticlesData",
                                     "NiAutoNormalParticles",
                                     "NiBillboardNode",
                                     "NiPalette",
                                     "NiPixelData",
                                     "NiBltSource",
                                     "NiBSPNode",
                                     "NiCollisionSwitch",
                                     "NiDirectionalLight",
                                     "NiDitherProperty",
                                     "NiSwitchNode",
                                     "NiFltAnimationNode",
                                     "NiFogProperty",
                                     "NiLinesData",
                                     "NiLines",
                                     "NiLODNode",
                                     "NiMaterialProperty",
                                     "NiRotatingParticlesData",
                                     "NiRotatingParticles",
                                     "NiParticleMeshesData",
                                     "NiTriShapeData",
                                     "NiTriShape",
                                     "NiParticleMeshes",
                                     "NiPointLight",
                                     "NiRendererSpecificProperty",
                                     "NiShadeProperty",
                                     "NiSortAdjustNode",
                                     "NiSourceTexture",
                                     "NiSpecularProperty",
                                     "NiSpotLight",
                                     "NiStencilProperty",
                                     "NiStringExtraData",
                                     "NiTrianglesData",
                                     "NiTriangles",
                                     "NiTriShapeDynamicData",
                                     "NiTriStripData",
                                     "NiTriStrip",
                                     "NiTriStripsData",
                                     "NiTriStrips",
                                     "NiVertexColorProperty",
                                     "NiVertWeightsExtraData",
                                     "NiWireframeProperty",
                                     "NiZBufferProperty",
                                     "NiFloatData",
                                     "NiAlphaController",
                                     "NiBoneLODController",
                                     "NiColorData",
                                     "NiFlipController",
                                     "NiMorphData",
                                     "NiGeomMorpherController",
                                     "NiGravity",
                                     "NiKeyframeData",
                                     "NiKeyframeController",
                                     "NiTextKeyExtraData",
                                     "NiSequence",
                                     "NiKeyframeManager",
                                     "NiPosData",
                                     "NiLightColorController",
                                     "NiLookAtController",
                                     "NiMaterialColorController",
                                     "NiParticleBomb",
                                     "NiParticleColorModifier",
                                     "NiParticleGrowFade",
                                     "NiParticleMeshModifier",
                                     "NiParticleRotation",
                                     "NiPathController",
                                     "NiPlanarCollider",
                                     "NiParticleSystemController",
                                     "NiRollController",
                                     "NiSequenceStreamHelper",
                                     "NiSphericalCollider",
                                     "NiUVData",
                                     "NiUVController",
                                     "NiVisData",
                                     "NiVisController"};
const unsigned STARTUP_CLASSES = sizeof(STARTUP_ORDER) / sizeof(STARTUP_ORDER[0]);

std::vector<std::string> Chain(const CreateFunctionRegistry& registry, unsigned bucket) {
    std::vector<std::string> keys;
    registry.ForEachInBucket(bucket, [&](const char* key, CreateFunction) { keys.push_back(key); });
    return keys;
}

} // namespace

TEST(Scene, HashTakesBytesAsSignedAndWrapsAt32Bits) {
    EXPECT_EQ(0u, CreateFunctionRegistry::Hash(""));
    EXPECT_EQ(65u, CreateFunctionRegistry::Hash("A"));
    // 78 * 33 + 105
    EXPECT_EQ(2679u, CreateFunctionRegistry::Hash("Ni"));
    // N i N o d e, step by step: 78, 2679, 88485, 2920116, 96363928, 3180009725
    EXPECT_EQ(3180009725u, CreateFunctionRegistry::Hash("NiNode"));
    EXPECT_EQ(29u, CreateFunctionRegistry::BucketOf("NiNode"));
    // 0xE9 is -23: 2^32 - 23, then (2^32 - 23) * 33 + 97 = 2^32 - 662 modulo 2^32
    EXPECT_EQ(4294967273u, CreateFunctionRegistry::Hash("\xE9"));
    EXPECT_EQ(21u, CreateFunctionRegistry::BucketOf("\xE9"));
    EXPECT_EQ(4294966634u, CreateFunctionRegistry::Hash("\xE9"
                                                        "a"));
}

TEST(Scene, RegistryReplacesAnEqualNameAndKeepsItsCount) {
    CreateFunctionRegistry registry;
    CreateFunction found = nullptr;
    EXPECT_FALSE(registry.Find("NiNode", found));
    ASSERT_TRUE(registry.Insert("NiNode", &MakeFirst));
    ASSERT_TRUE(registry.Insert("NiCamera", &MakeFirst));
    EXPECT_EQ(2u, registry.GetCount());

    // A different pointer with the same text is the same name.
    static const char sameName[] = "NiNode";
    ASSERT_TRUE(registry.Insert(sameName, &MakeSecond));
    EXPECT_EQ(2u, registry.GetCount());
    ASSERT_TRUE(registry.Find("NiNode", found));
    EXPECT_EQ(&MakeSecond, found);
    std::vector<std::string> chain = Chain(registry, CreateFunctionRegistry::BucketOf("NiNode"));
    EXPECT_EQ(1, std::count(chain.begin(), chain.end(), "NiNode"));
}

TEST(Scene, RegistryChainsHoldTheNewestEntryFirst) {
    CreateFunctionRegistry registry;
    // 'A' is 65 and 'f' is 102: both in bucket 28.
    registry.Insert("A", &MakeFirst);
    registry.Insert("f", &MakeSecond);
    EXPECT_EQ((std::vector<std::string>{"f", "A"}), Chain(registry, 28));
    for (unsigned b = 0; b < CreateFunctionRegistry::BUCKET_COUNT; ++b) {
        if (b != 28) {
            EXPECT_TRUE(Chain(registry, b).empty()) << b;
        }
    }
}

TEST(Scene, RegistryLookupIsCaseSensitive) {
    CreateFunction found = nullptr;
    EXPECT_TRUE(FindCreateFunction("NiNode", found));
    EXPECT_FALSE(FindCreateFunction("ninode", found));
    EXPECT_FALSE(FindCreateFunction("NINODE", found));
    EXPECT_FALSE(FindCreateFunction("NiNode ", found));
    EXPECT_FALSE(FindCreateFunction("", found));
}

TEST(Scene, StartupRegistersExactlyTheNinetyOneClasses) {
    EXPECT_EQ(91u, STARTUP_CLASSES);
    EXPECT_EQ(91u, GetCreateFunctionCount());
    for (const char* name : STARTUP_ORDER) {
        CreateFunction found = nullptr;
        EXPECT_TRUE(FindCreateFunction(name, found)) << name;
    }
    for (const char* base : {"NiObject", "NiObjectNET", "NiAVObject", "NiTimeController",
                             "NiProperty", "NiGeometryData", "NiLight", "NiDynamicEffect"}) {
        CreateFunction found = nullptr;
        EXPECT_FALSE(FindCreateFunction(base, found)) << base;
    }
}

TEST(Scene, EachCreateFunctionMakesADefaultObjectOfItsOwnClass) {
    for (const char* name : STARTUP_ORDER) {
        CreateFunction create = nullptr;
        ASSERT_TRUE(FindCreateFunction(name, create)) << name;
        NiPointer<NiObject> object = create();
        ASSERT_TRUE(object) << name;
        EXPECT_STREQ(name, object->GetRTTI()->GetName());
        EXPECT_TRUE(object->IsKindOf(NiObject::ms_RTTI));
        EXPECT_EQ(1u, object->GetRefCount());
    }
}

TEST(Scene, StartupChainsFollowTheFirstRegistrationOrder) {
    // Each bucket holds its classes newest first, so in reverse of the stated order.
    std::vector<std::string> expected[CreateFunctionRegistry::BUCKET_COUNT];
    for (const char* name : STARTUP_ORDER)
        expected[CreateFunctionRegistry::BucketOf(name)].insert(
            expected[CreateFunctionRegistry::BucketOf(name)].begin(), name);
    const CreateFunctionRegistry* registry = GetCreateFunctionRegistry();
    ASSERT_NE(nullptr, registry);
    for (unsigned b = 0; b < CreateFunctionRegistry::BUCKET_COUNT; ++b)
        EXPECT_EQ(expected[b], Chain(*registry, b)) << b;
}

TEST(Scene, RegisteringAgainReturnsFalseAndChangesNothing) {
    CreateFunction before = nullptr;
    ASSERT_TRUE(FindCreateFunction("NiExtraData", before));
    EXPECT_FALSE(RegisterCreateFunction("NiExtraData", before));
    CreateFunction after = nullptr;
    ASSERT_TRUE(FindCreateFunction("NiExtraData", after));
    EXPECT_EQ(before, after);
    EXPECT_EQ(91u, GetCreateFunctionCount());
}

TEST(Scene, AnimationKeyKindsFillTheirSlotsInTheStatedOrder) {
    const unsigned order[][2] = {{0, 0}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 2}, {3, 0}, {2, 4},
                                 {3, 1}, {0, 1}, {1, 1}, {2, 1}, {1, 3}, {2, 3}, {0, 3}};
    EXPECT_EQ(15u, GetAnimationKeyKindCount());
    unsigned filled = 0;
    for (unsigned i = 0; i < 15; ++i) {
        unsigned slot = order[i][0] * 5 + order[i][1];
        const AnimationKeyKind* kind = GetAnimationKeyKind(slot);
        ASSERT_NE(nullptr, kind);
        EXPECT_EQ(order[i][0], kind->content);
        EXPECT_EQ(order[i][1], kind->type);
        EXPECT_EQ(i + 1, kind->registrationOrder) << "slot " << slot;
    }
    for (unsigned slot = 0; slot < KEY_KIND_SLOT_COUNT; ++slot)
        filled += GetAnimationKeyKind(slot)->registrationOrder != 0;
    EXPECT_EQ(15u, filled);
    EXPECT_EQ(nullptr, GetAnimationKeyKind(20));
}

TEST(Scene, AnimationKeyKindRegistersOnlyOnce) {
    EXPECT_EQ(0, (RegisterAnimationKeyKind<2, 4>()));
    EXPECT_EQ(0, (RegisterAnimationKeyKind<0, 0>()));
    EXPECT_EQ(8u, GetAnimationKeyKind(2 * 5 + 4)->registrationOrder);
    EXPECT_EQ(15u, GetAnimationKeyKindCount());
}

TEST(Scene, NothingIsFoundAfterTheRegistryIsDestroyed) {
    // In a child process: the exit handler does the same when the program ends.
    EXPECT_EXIT(
        {
            DestroyCreateFunctionRegistry();
            CreateFunction found = nullptr;
            bool stillFound = FindCreateFunction("NiNode", found);
            RegisterCreateFunction("NiNode", found);
            std::exit(stillFound || GetCreateFunctionCount() != 0 ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}
