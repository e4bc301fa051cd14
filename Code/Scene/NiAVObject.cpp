#include "Scene/NiAVObject.h"

#include <vector>

NI_IMPLEMENT_RTTI(NiObjectNET, NiObject)
NI_IMPLEMENT_RTTI(NiAVObject, NiObjectNET)

bool NiAVObject::DeriveUpdateFlags() {
    // A file can describe a tree as deep as it has records: an explicit stack keeps the walk
    // from overflowing the call stack.
    struct Visit {
        NiAVObject* object;
        unsigned nextChild;
    };
    std::vector<Visit> stack;
    stack.push_back({this, 0});
    subtreeUpdate = selfUpdate;
    while (!stack.empty()) {
        Visit& top = stack.back();
        if (top.nextChild < top.object->GetChildCount()) {
            NiAVObject* child = top.object->GetChildAt(top.nextChild++);
            if (child) {
                child->subtreeUpdate = child->selfUpdate;
                stack.push_back({child, 0});
            }
            continue;
        }
        NiAVObject* done = top.object;
        done->derived = true;
        stack.pop_back();
        if (!stack.empty() && done->subtreeUpdate)
            stack.back().object->subtreeUpdate = true;
    }
    return subtreeUpdate;
}
