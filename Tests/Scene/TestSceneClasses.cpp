#include "TestSceneClasses.h"

#include "Scene/CreateFunctionRegistry.h"
#include "Scene/NiStream.h"

#include <memory>
#include <new>

struct TestForgetful : NiObject {
    void LoadData(NiStream&) override {}
};

struct TestGreedy : NiObject {
    void Link(NiStream& stream) override { stream.TakeLinkedObject(); }
};

NI_IMPLEMENT_STREAMABLE(TestLinkNode, NiNode)
NI_IMPLEMENT_STREAMABLE(TestLeaf, NiAVObject)

void TestLinkNode::LoadData(NiStream& stream) {
    NiNode::LoadData(stream);
    std::unique_ptr<char[]> text = stream.ReadSizedString();
    label = text ? text.get() : "";
    stream.QueueLinkIdList();
    stream.QueueLinkId();
}

void TestLinkNode::Link(NiStream& stream) {
    NiNode::Link(stream);
    uint32_t count = stream.TakeLinkIdCount();
    ReserveChildren(count);
    for (uint32_t i = 0; i < count && !stream.HasFailed(); ++i) {
        NiObject* child = stream.TakeLinkedObject();
        bool attachable = child && child->IsKindOf(NiAVObject::ms_RTTI);
        refusedChildren += attachable && AttachChild(static_cast<NiAVObject*>(child)) ? 0 : 1;
    }
    target = stream.TakeLinkedObject();
    SceneLog::Record('L', label);
}

void TestLeaf::LoadData(NiStream& stream) {
    NiAVObject::LoadData(stream);
    uint32_t changes = 0;
    stream.ReadUInt32(changes);
    SetSelfUpdate(changes != 0);
}

void RegisterTestSceneClasses() {
    RegisterCreateFunction("TestLinkNode", &TestLinkNode::CreateObject);
    RegisterCreateFunction("TestLeaf", &TestLeaf::CreateObject);
    RegisterCreateFunction("TestNoObject", [] { return static_cast<NiObject*>(nullptr); });
    RegisterCreateFunction("TestForgetful",
                           []() -> NiObject* { return new (std::nothrow) TestForgetful; });
    RegisterCreateFunction("TestGreedy",
                           []() -> NiObject* { return new (std::nothrow) TestGreedy; });
}
