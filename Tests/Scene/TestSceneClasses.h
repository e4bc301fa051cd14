// Scene classes with data layouts of the tests' own, registered under names of their own, so
// that loads read strings, link ids and link id lists. Shared with the fuzz target and the
// benchmark.
#pragma once

#include "Scene/NiNode.h"

#include <cstdint>
#include <string>

// What the test classes did, in order, while `recording`: "L<label>" / "P<label>" for Link and
// PostLink of a TestLinkNode, "l" / "p" for a TestLeaf; and the test objects alive now.
struct SceneLog {
    static inline bool recording = false;
    static inline std::string events;
    static inline long live = 0;
    // Builds nothing unless recording: a load of a million objects should not pay for it.
    static void Record(char event, const std::string& label = std::string()) {
        if (recording)
            events.append(1, event).append(label);
    }
};

// A member of every test object, so that the tests can see leaks and destructions.
struct LiveTestObject {
    LiveTestObject() { ++SceneLog::live; }
    ~LiveTestObject() { --SceneLog::live; }
};

// "TestLinkNode": a sized-string label, a list of child link ids, one further link id.
// Children that are NiAVObjects are attached; the further link is only remembered.
class TestLinkNode : public NiNode {
    NI_DECLARE_STREAMABLE
public:
    void LoadData(NiStream& stream) override;
    void Link(NiStream& stream) override;
    void PostLink(NiStream& stream) override {
        NiNode::PostLink(stream);
        SceneLog::Record('P', label);
    }

    std::string label;
    unsigned refusedChildren = 0;
    NiObject* target = nullptr; // not a reference: the tests look at it only while loaded
    LiveTestObject live;
};

// "TestLeaf": one 32-bit word, its own update flag (non-zero: changes over time).
class TestLeaf : public NiAVObject {
    NI_DECLARE_STREAMABLE
public:
    void LoadData(NiStream& stream) override;
    void Link(NiStream&) override { SceneLog::Record('l'); }
    void PostLink(NiStream&) override { SceneLog::Record('p'); }
    LiveTestObject live;
};

// Registers the classes above and the faulty ones: "TestNoObject" (its create function
// returns null), "TestForgetful" (its LoadData does not add it to the loaded list) and
// "TestGreedy" (its Link takes a link id it never queued).
void RegisterTestSceneClasses();
