#include "Scene/ModuleRegistrations.h"

#include "Scene/AnimationKeyKinds.h"
#include "Scene/CreateFunctionRegistry.h"
#include "Scene/SceneClasses.h"

namespace {

struct ModuleClass {
    const char* name;
    CreateFunction create;
};

// NiMain: the scene tree, geometry, properties and textures.
const ModuleClass niMainClasses[] = {
    {"NiNode", &NiNode::CreateObject},
    {"NiBillboardNode", &NiBillboardNode::CreateObject},
    {"NiBSPNode", &NiBSPNode::CreateObject},
    {"NiCollisionSwitch", &NiCollisionSwitch::CreateObject},
    {"NiSortAdjustNode", &NiSortAdjustNode::CreateObject},
    {"NiSwitchNode", &NiSwitchNode::CreateObject},
    {"NiLODNode", &NiLODNode::CreateObject},
    {"NiCamera", &NiCamera::CreateObject},
    {"NiTextureEffect", &NiTextureEffect::CreateObject},
    {"NiAmbientLight", &NiAmbientLight::CreateObject},
    {"NiDirectionalLight", &NiDirectionalLight::CreateObject},
    {"NiPointLight", &NiPointLight::CreateObject},
    {"NiSpotLight", &NiSpotLight::CreateObject},
    {"NiParticles", &NiParticles::CreateObject},
    {"NiAutoNormalParticles", &NiAutoNormalParticles::CreateObject},
    {"NiRotatingParticles", &NiRotatingParticles::CreateObject},
    {"NiParticleMeshes", &NiParticleMeshes::CreateObject},
    {"NiLines", &NiLines::CreateObject},
    {"NiTriShape", &NiTriShape::CreateObject},
    {"NiTriangles", &NiTriangles::CreateObject},
    {"NiTriStrip", &NiTriStrip::CreateObject},
    {"NiTriStrips", &NiTriStrips::CreateObject},
    {"NiParticlesData", &NiParticlesData::CreateObject},
    {"NiAutoNormalParticlesData", &NiAutoNormalParticlesData::CreateObject},
    {"NiRotatingParticlesData", &NiRotatingParticlesData::CreateObject},
    {"NiParticleMeshesData", &NiParticleMeshesData::CreateObject},
    {"NiLinesData", &NiLinesData::CreateObject},
    {"NiTriShapeData", &NiTriShapeData::CreateObject},
    {"NiTriShapeDynamicData", &NiTriShapeDynamicData::CreateObject},
    {"NiTrianglesData", &NiTrianglesData::CreateObject},
    {"NiTriStripData", &NiTriStripData::CreateObject},
    {"NiTriStripsData", &NiTriStripsData::CreateObject},
    {"NiSkinData", &NiSkinData::CreateObject},
    {"NiSkinInstance", &NiSkinInstance::CreateObject},
    {"NiSkinPartition", &NiSkinPartition::CreateObject},
    {"NiScreenPolygon", &NiScreenPolygon::CreateObject},
    {"NiScreenTexture", &NiScreenTexture::CreateObject},
    {"NiAlphaProperty", &NiAlphaProperty::CreateObject},
    {"NiDitherProperty", &NiDitherProperty::CreateObject},
    {"NiFogProperty", &NiFogProperty::CreateObject},
    {"NiMaterialProperty", &NiMaterialProperty::CreateObject},
    {"NiRendererSpecificProperty", &NiRendererSpecificProperty::CreateObject},
    {"NiShadeProperty", &NiShadeProperty::CreateObject},
    {"NiSpecularProperty", &NiSpecularProperty::CreateObject},
    {"NiStencilProperty", &NiStencilProperty::CreateObject},
    {"NiTexturingProperty", &NiTexturingProperty::CreateObject},
    {"NiVertexColorProperty", &NiVertexColorProperty::CreateObject},
    {"NiWireframeProperty", &NiWireframeProperty::CreateObject},
    {"NiZBufferProperty", &NiZBufferProperty::CreateObject},
    {"NiSourceTexture", &NiSourceTexture::CreateObject},
    {"NiPalette", &NiPalette::CreateObject},
    {"NiPixelData", &NiPixelData::CreateObject},
    {"NiBltSource", &NiBltSource::CreateObject},
    {"NiClusterAccumulator", &NiClusterAccumulator::CreateObject},
    {"NiAlphaAccumulator", &NiAlphaAccumulator::CreateObject},
    {"NiExtraData", &NiExtraData::CreateObject},
    {"NiStringExtraData", &NiStringExtraData::CreateObject},
    {"NiVertWeightsExtraData", &NiVertWeightsExtraData::CreateObject},
};

// NiAnimation: controllers, key data, sequences and particle modifiers.
const ModuleClass niAnimationClasses[] = {
    {"NiNode", &NiNode::CreateObject},
    {"NiExtraData", &NiExtraData::CreateObject},
    {"NiTextKeyExtraData", &NiTextKeyExtraData::CreateObject},
    {"NiFltAnimationNode", &NiFltAnimationNode::CreateObject},
    {"NiAlphaController", &NiAlphaController::CreateObject},
    {"NiBoneLODController", &NiBoneLODController::CreateObject},
    {"NiFlipController", &NiFlipController::CreateObject},
    {"NiGeomMorpherController", &NiGeomMorpherController::CreateObject},
    {"NiKeyframeController", &NiKeyframeController::CreateObject},
    {"NiKeyframeManager", &NiKeyframeManager::CreateObject},
    {"NiLightColorController", &NiLightColorController::CreateObject},
    {"NiLookAtController", &NiLookAtController::CreateObject},
    {"NiMaterialColorController", &NiMaterialColorController::CreateObject},
    {"NiParticleSystemController", &NiParticleSystemController::CreateObject},
    {"NiPathController", &NiPathController::CreateObject},
    {"NiRollController", &NiRollController::CreateObject},
    {"NiUVController", &NiUVController::CreateObject},
    {"NiVisController", &NiVisController::CreateObject},
    {"NiColorData", &NiColorData::CreateObject},
    {"NiFloatData", &NiFloatData::CreateObject},
    {"NiKeyframeData", &NiKeyframeData::CreateObject},
    {"NiMorphData", &NiMorphData::CreateObject},
    {"NiPosData", &NiPosData::CreateObject},
    {"NiUVData", &NiUVData::CreateObject},
    {"NiVisData", &NiVisData::CreateObject},
    {"NiSequence", &NiSequence::CreateObject},
    {"NiSequenceStreamHelper", &NiSequenceStreamHelper::CreateObject},
    {"NiGravity", &NiGravity::CreateObject},
    {"NiParticleBomb", &NiParticleBomb::CreateObject},
    {"NiParticleColorModifier", &NiParticleColorModifier::CreateObject},
    {"NiParticleGrowFade", &NiParticleGrowFade::CreateObject},
    {"NiParticleMeshModifier", &NiParticleMeshModifier::CreateObject},
    {"NiParticleRotation", &NiParticleRotation::CreateObject},
    {"NiPlanarCollider", &NiPlanarCollider::CreateObject},
    {"NiSphericalCollider", &NiSphericalCollider::CreateObject},
    {"NiSkinData", &NiSkinData::CreateObject},
    {"NiSkinPartition", &NiSkinPartition::CreateObject},
};

// NiSystem: the few classes its stream helpers name.
const ModuleClass niSystemClasses[] = {
    {"NiNode", &NiNode::CreateObject},
    {"NiExtraData", &NiExtraData::CreateObject},
    {"NiStringExtraData", &NiStringExtraData::CreateObject},
};

template <unsigned N> unsigned RegisterAll(const ModuleClass (&classes)[N]) {
    for (const ModuleClass& c : classes)
        RegisterCreateFunction(c.name, c.create);
    return N;
}

} // namespace

unsigned RegisterNiMainClasses() {
    return RegisterAll(niMainClasses);
}

unsigned RegisterNiAnimationClasses() {
    unsigned count = RegisterAll(niAnimationClasses);
    // Already registered by the program's start-up: these calls only return 0.
    RegisterAnimationKeyKind<0, 0>();
    RegisterAnimationKeyKind<0, 1>();
    RegisterAnimationKeyKind<0, 2>();
    RegisterAnimationKeyKind<0, 3>();
    RegisterAnimationKeyKind<1, 0>();
    RegisterAnimationKeyKind<1, 1>();
    RegisterAnimationKeyKind<1, 2>();
    RegisterAnimationKeyKind<1, 3>();
    RegisterAnimationKeyKind<2, 0>();
    RegisterAnimationKeyKind<2, 1>();
    RegisterAnimationKeyKind<2, 2>();
    RegisterAnimationKeyKind<2, 3>();
    RegisterAnimationKeyKind<2, 4>();
    RegisterAnimationKeyKind<3, 0>();
    RegisterAnimationKeyKind<3, 1>();
    return count + 15;
}

unsigned RegisterNiSystemClasses() {
    return RegisterAll(niSystemClasses);
}
