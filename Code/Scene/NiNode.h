// A scene-tree node: holds a reference on each of its children.
#pragma once

#include "Scene/NiAVObject.h"
#include "Scene/NiObjectPool.h"
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
    // Makes room for `count` children in all, so that attaching them allocates nothing more.
    // For a count that the file's bytes have already backed (a link id list fully read).
    void ReserveChildren(unsigned count) { children.reserve(count); }

    unsigned GetChildCount() const override { return static_cast<unsigned>(children.size()); }
    NiAVObject* GetChildAt(unsigned i) const override {
        return i < children.size() ? children[i].Get() : nullptr;
    }

private:
    using ChildList = std::vector<NiPointer<NiAVObject>, NiPoolAllocator<NiPointer<NiAVObject>>>;
    ChildList children;
};
