#include "Scene/NiObject.h"

#include "Scene/NiStream.h"

const NiRTTI NiObject::ms_RTTI("NiObject", nullptr);

void NiObject::DecRefCount() {
    if (--refCount == 0)
        delete this;
}

bool NiObject::IsKindOf(const NiRTTI& rtti) const {
    for (const NiRTTI* r = GetRTTI(); r; r = r->GetBaseRTTI()) {
        if (r == &rtti)
            return true;
    }
    return false;
}

void NiObject::LoadData(NiStream& stream) {
    stream.AddLoadedObject(this);
}

void NiObject::Link(NiStream&) {}

void NiObject::PostLink(NiStream&) {}
