#include "Scene/NiNode.h"

#include <new>

NI_IMPLEMENT_STREAMABLE(NiNode, NiAVObject)

NiNode::~NiNode() {
    // Releasing a deep chain of nodes one destructor inside the next would overflow the call
    // stack; hand the grandchildren of every last reference to this loop instead.
    ChildList pending = std::move(children);
    while (!pending.empty()) {
        NiPointer<NiAVObject> child = std::move(pending.back());
        pending.pop_back();
        child->parent = nullptr;
        if (child->GetRefCount() == 1 && child->IsKindOf(NiNode::ms_RTTI)) {
            auto& grandchildren = static_cast<NiNode*>(child.Get())->children;
            for (auto& g : grandchildren)
                pending.push_back(std::move(g));
            grandchildren.clear();
        }
    }
}

namespace {

// True when `node` is `root` or lies below it. Walks up from `node` and down through `root`'s
// subtree by turns, so the cost is the smaller of the two: attaching nodes in either order
// along a long chain stays linear instead of walking the whole chain each time.
bool SubtreeContains(NiAVObject* root, NiAVObject* node) {
    if (root == node)
        return true;
    if (root->GetChildCount() == 0)
        return false;
    struct Visit {
        NiAVObject* object;
        unsigned nextChild;
    };
    std::vector<Visit> down{{root, 0}};
    for (NiAVObject* up = node->GetParent();; up = up->GetParent()) {
        if (up == root)
            return true;
        if (!up || down.empty())
            return false;
        Visit& top = down.back();
        if (top.nextChild < top.object->GetChildCount()) {
            NiAVObject* child = top.object->GetChildAt(top.nextChild++);
            if (child == node)
                return true;
            if (child)
                down.push_back({child, 0});
        } else {
            down.pop_back();
        }
    }
}

} // namespace

bool NiNode::AttachChild(NiAVObject* child) {
    // A child with a parent, or one holding this node, would make the tree a cycle.
    if (!child || child->parent || SubtreeContains(child, this))
        return false;
    children.emplace_back(child);
    child->parent = this;
    return true;
}
