// A scene-tree node: holds a reference on each of its children.
#pragma once

#include "Scene/NiAVObject.h"
#include "Scene/NiPointer.h"

#include <vector>

class NiNode : public NiAVObject {
    NI_DECLARE_STREAMABLE
public:
    NiNode() = default;
    ~NiNode() override;

    // Adds `child` at the end and makes this node its parent. Refused (false, nothing
    // changed) for null, for a child that already has a parent, and for this node or one of
    // its ancestors, so the tree never holds a cycle of references.
    bool AttachChild(NiAVObject* child);

    unsigned GetChildCount() const override { return static_cast<unsigned>(children.size()); }
    NiAVObject* GetChildAt(unsigned i) const override {
        return i < children.size() ? children[i].Get() : nullptr;
    }

private:
    std::vector<NiPointer<NiAVObject>> children;
};
