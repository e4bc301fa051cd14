// Scene classes with data layouts of the tests' own, registered under names of their own, so
// that loads read strings, link ids and link id lists.
#pragma once

#include "Scene/NiNode.h"

#include <cstdint>
#include <string>

// A member of every test object, so that the tests can count the ones alive.
struct LiveTestObject {
    LiveTestObject();
    LiveTestObject(const LiveTestObject&) = delete;
    ~LiveTestObject();
};

// "TestLinkNode": a sized-string label, a list of child link ids, one further link id.
// Children that are NiAVObjects are attached; the further link is only remembered.
class TestLinkNode : public NiNode {
    NI_DECLARE_STREAMABLE
public:
    void LoadData(NiStream& stream) override;
    void Link(NiStream& stream) override;
    void PostLink(NiStream& stream) override;

    std::string label;
    uint32_t declaredChildren = 0;
    unsigned refusedChildren = 0;
    NiObject* target = nullptr; // not a reference: the tests look at it only while loaded
    LiveTestObject live;
};

// "TestLeaf": one 32-bit word, its own update flag (non-zero: changes over time).
class TestLeaf : public NiAVObject {
    NI_DECLARE_STREAMABLE
public:
    void LoadData(NiStream& stream) override;
    void Link(NiStream& stream) override;
    void PostLink(NiStream& stream) override;
    LiveTestObject live;
};

// Registers the classes above and the faulty ones: "TestNoObject" (its create function
// returns null), "TestForgetful" (its LoadData does not add it to the loaded list) and
// "TestGreedy" (its Link takes a link id it never queued).
void RegisterTestSceneClasses();

// What the test classes did, in order: "L<label>" / "P<label>" for Link and PostLink of a
// TestLinkNode, "l" / "p" for a TestLeaf. Recording is off until StartSceneEvents.
void StartSceneEvents();
const std::string& SceneEvents();
void StopSceneEvents();
// Test objects alive now.
long LiveTestObjects();
