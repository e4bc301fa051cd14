// The scene-graph's abstract bases down to NiAVObject, an object placed in the scene tree:
// it has a parent (not owned) and per-object update flags derived over its subtree.
#pragma once

#include "Scene/NiObject.h"

// Objects that carry a name and extra data in the full library; abstract here.
class NiObjectNET : public NiObject {
    NI_DECLARE_RTTI
};

class NiAVObject : public NiObjectNET {
    NI_DECLARE_RTTI
public:
    // The node holding this object, or null for a root. Set by NiNode::AttachChild.
    NiAVObject* GetParent() const { return parent; }

    // True when the object itself changes over time (it has a controller, for example).
    bool GetSelfUpdate() const { return selfUpdate; }
    void SetSelfUpdate(bool value) { selfUpdate = value; }
    // After DeriveUpdateFlags: true when the object or anything below it changes over time.
    bool GetSubtreeUpdate() const { return subtreeUpdate; }
    bool HasDerivedUpdateFlags() const { return derived; }

    // Walks the subtree below this object, children before their parent, and sets every
    // object's subtree flag from its own flag and its children's. Runs in constant stack
    // depth however deep the tree. Returns this object's subtree flag.
    bool DeriveUpdateFlags();

    // The tree below: objects that are not nodes have no children.
    virtual unsigned GetChildCount() const { return 0; }
    virtual NiAVObject* GetChildAt(unsigned) const { return nullptr; }

private:
    friend class NiNode;
    // The flags first: they fit in the padding after NiObject's reference count.
    bool selfUpdate = false;
    bool subtreeUpdate = false;
    bool derived = false;
    NiAVObject* parent = nullptr;
};
