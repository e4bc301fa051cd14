#include "Scene/NiObject.h"

#include "Scene/NiObjectPool.h"
#include "Scene/NiStream.h"

const NiRTTI NiObject::ms_RTTI("NiObject", nullptr);

void* NiObject::operator new(size_t size) {
    void* block = NiObjectPool::Allocate(size);
    if (!block)
        throw std::bad_alloc();
    return block;
}

void* NiObject::operator new(size_t size, const std::nothrow_t&) noexcept {
    return NiObjectPool::Allocate(size);
}

void NiObject::operator delete(void* block, size_t size) noexcept {
    NiObjectPool::Release(block, size);
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
