// The scene-graph library's classes that a stream file can name, and the abstract bases they
// share. Their data layouts belong to the rest of the library: here each class only carries
// its RTTI and a create function, and loads like NiObject.
#pragma once

#include "Scene/NiNode.h"

// Bases that carry a class name for RTTI but are never registered.
#define NI_ABSTRACT_CLASS(name, base)                                                              \
    class name : public base {                                                                     \
        NI_DECLARE_RTTI                                                                            \
    protected:                                                                                     \
        name() = default;                                                                          \
    };

// Classes that a file can name: RTTI and `CreateObject`.
#define NI_STREAMABLE_CLASS(name, base)                                                            \
    class name : public base {                                                                     \
        NI_DECLARE_STREAMABLE                                                                      \
    };

NI_ABSTRACT_CLASS(NiDynamicEffect, NiAVObject)
NI_ABSTRACT_CLASS(NiLight, NiDynamicEffect)
NI_ABSTRACT_CLASS(NiGeometry, NiAVObject)
NI_ABSTRACT_CLASS(NiTriBasedGeom, NiGeometry)
NI_ABSTRACT_CLASS(NiGeometryData, NiObject)
NI_ABSTRACT_CLASS(NiTriBasedGeomData, NiGeometryData)
NI_ABSTRACT_CLASS(NiProperty, NiObjectNET)
NI_ABSTRACT_CLASS(NiTexture, NiObjectNET)
NI_ABSTRACT_CLASS(NiTimeController, NiObject)
NI_ABSTRACT_CLASS(NiParticleModifier, NiObject)
NI_ABSTRACT_CLASS(NiAccumulator, NiObject)

// Scene-tree objects.
NI_STREAMABLE_CLASS(NiBillboardNode, NiNode)
NI_STREAMABLE_CLASS(NiBSPNode, NiNode)
NI_STREAMABLE_CLASS(NiCollisionSwitch, NiNode)
NI_STREAMABLE_CLASS(NiSortAdjustNode, NiNode)
NI_STREAMABLE_CLASS(NiSwitchNode, NiNode)
NI_STREAMABLE_CLASS(NiFltAnimationNode, NiSwitchNode)
NI_STREAMABLE_CLASS(NiLODNode, NiSwitchNode)
NI_STREAMABLE_CLASS(NiCamera, NiAVObject)
NI_STREAMABLE_CLASS(NiTextureEffect, NiDynamicEffect)
NI_STREAMABLE_CLASS(NiAmbientLight, NiLight)
NI_STREAMABLE_CLASS(NiDirectionalLight, NiLight)
NI_STREAMABLE_CLASS(NiPointLight, NiLight)
NI_STREAMABLE_CLASS(NiSpotLight, NiPointLight)

// Geometry and its data.
NI_STREAMABLE_CLASS(NiParticles, NiGeometry)
NI_STREAMABLE_CLASS(NiAutoNormalParticles, NiParticles)
NI_STREAMABLE_CLASS(NiRotatingParticles, NiParticles)
NI_STREAMABLE_CLASS(NiParticleMeshes, NiParticles)
NI_STREAMABLE_CLASS(NiLines, NiGeometry)
NI_STREAMABLE_CLASS(NiTriShape, NiTriBasedGeom)
NI_STREAMABLE_CLASS(NiTriangles, NiTriBasedGeom)
NI_STREAMABLE_CLASS(NiTriStrip, NiTriBasedGeom)
NI_STREAMABLE_CLASS(NiTriStrips, NiTriBasedGeom)
NI_STREAMABLE_CLASS(NiParticlesData, NiGeometryData)
NI_STREAMABLE_CLASS(NiAutoNormalParticlesData, NiParticlesData)
NI_STREAMABLE_CLASS(NiRotatingParticlesData, NiParticlesData)
NI_STREAMABLE_CLASS(NiParticleMeshesData, NiRotatingParticlesData)
NI_STREAMABLE_CLASS(NiLinesData, NiGeometryData)
NI_STREAMABLE_CLASS(NiTriShapeData, NiTriBasedGeomData)
NI_STREAMABLE_CLASS(NiTriShapeDynamicData, NiTriShapeData)
NI_STREAMABLE_CLASS(NiTrianglesData, NiTriBasedGeomData)
NI_STREAMABLE_CLASS(NiTriStripData, NiTriBasedGeomData)
NI_STREAMABLE_CLASS(NiTriStripsData, NiTriBasedGeomData)
NI_STREAMABLE_CLASS(NiSkinData, NiObject)
NI_STREAMABLE_CLASS(NiSkinInstance, NiObject)
NI_STREAMABLE_CLASS(NiSkinPartition, NiObject)
NI_STREAMABLE_CLASS(NiScreenPolygon, NiObject)
NI_STREAMABLE_CLASS(NiScreenTexture, NiObject)

// Properties, textures and render helpers.
NI_STREAMABLE_CLASS(NiAlphaProperty, NiProperty)
NI_STREAMABLE_CLASS(NiDitherProperty, NiProperty)
NI_STREAMABLE_CLASS(NiFogProperty, NiProperty)
NI_STREAMABLE_CLASS(NiMaterialProperty, NiProperty)
NI_STREAMABLE_CLASS(NiRendererSpecificProperty, NiProperty)
NI_STREAMABLE_CLASS(NiShadeProperty, NiProperty)
NI_STREAMABLE_CLASS(NiSpecularProperty, NiProperty)
NI_STREAMABLE_CLASS(NiStencilProperty, NiProperty)
NI_STREAMABLE_CLASS(NiTexturingProperty, NiProperty)
NI_STREAMABLE_CLASS(NiVertexColorProperty, NiProperty)
NI_STREAMABLE_CLASS(NiWireframeProperty, NiProperty)
NI_STREAMABLE_CLASS(NiZBufferProperty, NiProperty)
NI_STREAMABLE_CLASS(NiSourceTexture, NiTexture)
NI_STREAMABLE_CLASS(NiPalette, NiObject)
NI_STREAMABLE_CLASS(NiPixelData, NiObject)
NI_STREAMABLE_CLASS(NiBltSource, NiObject)
NI_STREAMABLE_CLASS(NiClusterAccumulator, NiAccumulator)
NI_STREAMABLE_CLASS(NiAlphaAccumulator, NiClusterAccumulator)

// Extra data.
NI_STREAMABLE_CLASS(NiExtraData, NiObject)
NI_STREAMABLE_CLASS(NiStringExtraData, NiExtraData)
NI_STREAMABLE_CLASS(NiTextKeyExtraData, NiExtraData)
NI_STREAMABLE_CLASS(NiVertWeightsExtraData, NiExtraData)

// Animation: controllers, their key data, sequences and particle modifiers.
NI_STREAMABLE_CLASS(NiAlphaController, NiTimeController)
NI_STREAMABLE_CLASS(NiBoneLODController, NiTimeController)
NI_STREAMABLE_CLASS(NiFlipController, NiTimeController)
NI_STREAMABLE_CLASS(NiGeomMorpherController, NiTimeController)
NI_STREAMABLE_CLASS(NiKeyframeController, NiTimeController)
NI_STREAMABLE_CLASS(NiKeyframeManager, NiTimeController)
NI_STREAMABLE_CLASS(NiLightColorController, NiTimeController)
NI_STREAMABLE_CLASS(NiLookAtController, NiTimeController)
NI_STREAMABLE_CLASS(NiMaterialColorController, NiTimeController)
NI_STREAMABLE_CLASS(NiParticleSystemController, NiTimeController)
NI_STREAMABLE_CLASS(NiPathController, NiTimeController)
NI_STREAMABLE_CLASS(NiRollController, NiTimeController)
NI_STREAMABLE_CLASS(NiUVController, NiTimeController)
NI_STREAMABLE_CLASS(NiVisController, NiTimeController)
NI_STREAMABLE_CLASS(NiColorData, NiObject)
NI_STREAMABLE_CLASS(NiFloatData, NiObject)
NI_STREAMABLE_CLASS(NiKeyframeData, NiObject)
NI_STREAMABLE_CLASS(NiMorphData, NiObject)
NI_STREAMABLE_CLASS(NiPosData, NiObject)
NI_STREAMABLE_CLASS(NiUVData, NiObject)
NI_STREAMABLE_CLASS(NiVisData, NiObject)
NI_STREAMABLE_CLASS(NiSequence, NiObject)
NI_STREAMABLE_CLASS(NiSequenceStreamHelper, NiObjectNET)
NI_STREAMABLE_CLASS(NiGravity, NiParticleModifier)
NI_STREAMABLE_CLASS(NiParticleBomb, NiParticleModifier)
NI_STREAMABLE_CLASS(NiParticleColorModifier, NiParticleModifier)
NI_STREAMABLE_CLASS(NiParticleGrowFade, NiParticleModifier)
NI_STREAMABLE_CLASS(NiParticleMeshModifier, NiParticleModifier)
NI_STREAMABLE_CLASS(NiParticleRotation, NiParticleModifier)
NI_STREAMABLE_CLASS(NiPlanarCollider, NiParticleModifier)
NI_STREAMABLE_CLASS(NiSphericalCollider, NiParticleModifier)
