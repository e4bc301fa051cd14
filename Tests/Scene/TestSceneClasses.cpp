#include "TestSceneClasses.h"

#include "Scene/CreateFunctionRegistry.h"
#include "Scene/NiStream.h"

#include <memory>
#include <new>

namespace {

bool recording = false;
std::string events;
long live = 0;

// Builds nothing unless recording: a load of a million objects should not pay for it.
void Record(char event, const std::string& label = std::string()) {
    if (recording) {
        events += event;
        events += label;
    }
}

class TestForgetful : public NiObject {
public:
    static NiObject* CreateObject() { return new (std::nothrow) TestForgetful; }
    void LoadData(NiStream&) override {}
};

class TestGreedy : public NiObject {
public:
    static NiObject* CreateObject() { return new (std::nothrow) TestGreedy; }
    void Link(NiStream& stream) override { stream.TakeLinkedObject(); }
};

NiObject* CreateNoObject() {
    return nullptr;
}

} // namespace

LiveTestObject::LiveTestObject() {
    ++live;
}
LiveTestObject::~LiveTestObject() {
    --live;
}

NI_IMPLEMENT_STREAMABLE(TestLinkNode, NiNode)
NI_IMPLEMENT_STREAMABLE(TestLeaf, NiAVObject)

void TestLinkNode::LoadData(NiStream& stream) {
    NiNode::LoadData(stream);
    std::unique_ptr<char[]> text = stream.ReadSizedString();
    if (text)
        label = text.get();
    stream.QueueLinkIdList();
    stream.QueueLinkId();
}

void TestLinkNode::Link(NiStream& stream) {
    NiNode::Link(stream);
    declaredChildren = stream.TakeLinkIdCount();
    ReserveChildren(declaredChildren);
    for (uint32_t i = 0; i < declaredChildren && !stream.HasFailed(); ++i) {
        NiObject* child = stream.TakeLinkedObject();
        if (!child || !child->IsKindOf(NiAVObject::ms_RTTI) ||
            !AttachChild(static_cast<NiAVObject*>(child)))
            ++refusedChildren;
    }
    target = stream.TakeLinkedObject();
    Record('L', label);
}

void TestLinkNode::PostLink(NiStream& stream) {
    NiNode::PostLink(stream);
    Record('P', label);
}

void TestLeaf::LoadData(NiStream& stream) {
    NiAVObject::LoadData(stream);
    uint32_t changes = 0;
    stream.ReadUInt32(changes);
    SetSelfUpdate(changes != 0);
}

void TestLeaf::Link(NiStream&) {
    Record('l');
}

void TestLeaf::PostLink(NiStream&) {
    Record('p');
}

void RegisterTestSceneClasses() {
    RegisterCreateFunction("TestLinkNode", &TestLinkNode::CreateObject);
    RegisterCreateFunction("TestLeaf", &TestLeaf::CreateObject);
    RegisterCreateFunction("TestNoObject", &CreateNoObject);
    RegisterCreateFunction("TestForgetful", &TestForgetful::CreateObject);
    RegisterCreateFunction("TestGreedy", &TestGreedy::CreateObject);
}

void StartSceneEvents() {
    events.clear();
    recording = true;
}

const std::string& SceneEvents() {
    return events;
}

void StopSceneEvents() {
    recording = false;
}

long LiveTestObjects() {
    return live;
}
