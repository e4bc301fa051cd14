// The program's own start-up registrations. They run as static initialisers, before the
// program's entry, in the order written here: every scene class once, the animation key kinds,
// then the library modules' repeats. This file is linked as objects, never from an archive,
// so the linker cannot drop it although nothing refers to its symbols.
#include "Scene/AnimationKeyKinds.h"
#include "Scene/CreateFunctionRegistry.h"
#include "Scene/ModuleRegistrations.h"
#include "Scene/SceneClasses.h"

namespace {

// Each registration keeps its result in a flag of its own that nothing reads.
#define NI_REGISTER_CLASS(name)                                                                    \
    [[maybe_unused]] const bool name##Registered =                                                 \
        RegisterCreateFunction(#name, &name::CreateObject);

NI_REGISTER_CLASS(NiSkinPartition)
NI_REGISTER_CLASS(NiExtraData)
NI_REGISTER_CLASS(NiTexturingProperty)
NI_REGISTER_CLASS(NiTextureEffect)
NI_REGISTER_CLASS(NiNode)
NI_REGISTER_CLASS(NiScreenPolygon)
NI_REGISTER_CLASS(NiScreenTexture)
NI_REGISTER_CLASS(NiCamera)
NI_REGISTER_CLASS(NiClusterAccumulator)
NI_REGISTER_CLASS(NiAlphaAccumulator)
NI_REGISTER_CLASS(NiAlphaProperty)
NI_REGISTER_CLASS(NiAmbientLight)
NI_REGISTER_CLASS(NiSkinData)
NI_REGISTER_CLASS(NiSkinInstance)
NI_REGISTER_CLASS(NiParticlesData)
NI_REGISTER_CLASS(NiParticles)
NI_REGISTER_CLASS(NiAutoNormalParticlesData)
NI_REGISTER_CLASS(NiAutoNormalParticles)
NI_REGISTER_CLASS(NiBillboardNode)
NI_REGISTER_CLASS(NiPalette)
NI_REGISTER_CLASS(NiPixelData)
NI_REGISTER_CLASS(NiBltSource)
NI_REGISTER_CLASS(NiBSPNode)
NI_REGISTER_CLASS(NiCollisionSwitch)
NI_REGISTER_CLASS(NiDirectionalLight)
NI_REGISTER_CLASS(NiDitherProperty)
NI_REGISTER_CLASS(NiSwitchNode)
NI_REGISTER_CLASS(NiFltAnimationNode)
NI_REGISTER_CLASS(NiFogProperty)
NI_REGISTER_CLASS(NiLinesData)
NI_REGISTER_CLASS(NiLines)
NI_REGISTER_CLASS(NiLODNode)
NI_REGISTER_CLASS(NiMaterialProperty)
NI_REGISTER_CLASS(NiRotatingParticlesData)
NI_REGISTER_CLASS(NiRotatingParticles)
NI_REGISTER_CLASS(NiParticleMeshesData)
NI_REGISTER_CLASS(NiTriShapeData)
NI_REGISTER_CLASS(NiTriShape)
NI_REGISTER_CLASS(NiParticleMeshes)
NI_REGISTER_CLASS(NiPointLight)
NI_REGISTER_CLASS(NiRendererSpecificProperty)
NI_REGISTER_CLASS(NiShadeProperty)
NI_REGISTER_CLASS(NiSortAdjustNode)
NI_REGISTER_CLASS(NiSourceTexture)
NI_REGISTER_CLASS(NiSpecularProperty)
NI_REGISTER_CLASS(NiSpotLight)
NI_REGISTER_CLASS(NiStencilProperty)
NI_REGISTER_CLASS(NiStringExtraData)
NI_REGISTER_CLASS(NiTrianglesData)
NI_REGISTER_CLASS(NiTriangles)
NI_REGISTER_CLASS(NiTriShapeDynamicData)
NI_REGISTER_CLASS(NiTriStripData)
NI_REGISTER_CLASS(NiTriStrip)
NI_REGISTER_CLASS(NiTriStripsData)
NI_REGISTER_CLASS(NiTriStrips)
NI_REGISTER_CLASS(NiVertexColorProperty)
NI_REGISTER_CLASS(NiVertWeightsExtraData)
NI_REGISTER_CLASS(NiWireframeProperty)
NI_REGISTER_CLASS(NiZBufferProperty)
NI_REGISTER_CLASS(NiFloatData)
NI_REGISTER_CLASS(NiAlphaController)
NI_REGISTER_CLASS(NiBoneLODController)
NI_REGISTER_CLASS(NiColorData)
NI_REGISTER_CLASS(NiFlipController)
NI_REGISTER_CLASS(NiMorphData)
NI_REGISTER_CLASS(NiGeomMorpherController)
NI_REGISTER_CLASS(NiGravity)
NI_REGISTER_CLASS(NiKeyframeData)
NI_REGISTER_CLASS(NiKeyframeController)
NI_REGISTER_CLASS(NiTextKeyExtraData)
NI_REGISTER_CLASS(NiSequence)
NI_REGISTER_CLASS(NiKeyframeManager)
NI_REGISTER_CLASS(NiPosData)
NI_REGISTER_CLASS(NiLightColorController)
NI_REGISTER_CLASS(NiLookAtController)
NI_REGISTER_CLASS(NiMaterialColorController)
NI_REGISTER_CLASS(NiParticleBomb)
NI_REGISTER_CLASS(NiParticleColorModifier)
NI_REGISTER_CLASS(NiParticleGrowFade)
NI_REGISTER_CLASS(NiParticleMeshModifier)
NI_REGISTER_CLASS(NiParticleRotation)
NI_REGISTER_CLASS(NiPathController)
NI_REGISTER_CLASS(NiPlanarCollider)
NI_REGISTER_CLASS(NiParticleSystemController)
NI_REGISTER_CLASS(NiRollController)
NI_REGISTER_CLASS(NiSequenceStreamHelper)
NI_REGISTER_CLASS(NiSphericalCollider)
NI_REGISTER_CLASS(NiUVData)
NI_REGISTER_CLASS(NiUVController)
NI_REGISTER_CLASS(NiVisData)
NI_REGISTER_CLASS(NiVisController)

#define NI_REGISTER_KEY_KIND(content, type)                                                        \
    [[maybe_unused]] const int keyKind##content##type##Registered =                                \
        RegisterAnimationKeyKind<content, type>();

NI_REGISTER_KEY_KIND(0, 0)
NI_REGISTER_KEY_KIND(0, 2)
NI_REGISTER_KEY_KIND(1, 0)
NI_REGISTER_KEY_KIND(1, 2)
NI_REGISTER_KEY_KIND(2, 0)
NI_REGISTER_KEY_KIND(2, 2)
NI_REGISTER_KEY_KIND(3, 0)
NI_REGISTER_KEY_KIND(2, 4)
NI_REGISTER_KEY_KIND(3, 1)
NI_REGISTER_KEY_KIND(0, 1)
NI_REGISTER_KEY_KIND(1, 1)
NI_REGISTER_KEY_KIND(2, 1)
NI_REGISTER_KEY_KIND(1, 3)
NI_REGISTER_KEY_KIND(2, 3)
NI_REGISTER_KEY_KIND(0, 3)

[[maybe_unused]] const unsigned niMainRegistered = RegisterNiMainClasses();
[[maybe_unused]] const unsigned niAnimationRegistered = RegisterNiAnimationClasses();
[[maybe_unused]] const unsigned niSystemRegistered = RegisterNiSystemClasses();

} // namespace
