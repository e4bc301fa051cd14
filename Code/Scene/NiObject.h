// The common base of every scene object: a reference count, its class's RTTI, and the three
// operations through which NiStream loads it.
#pragma once

#include "Scene/NiRTTI.h"

#include <cstddef>
#include <new>

class NiStream;

class NiObject {
public:
    static const NiRTTI ms_RTTI;

    NiObject() = default;
    virtual ~NiObject() = default;

    // Every scene object lives in the object pools (NiObjectPool.h); the virtual destructor
    // hands the right size back.
    static void* operator new(size_t size);
    static void* operator new(size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* block, size_t size) noexcept;

    // A new object starts with no reference; whoever keeps it takes one. Dropping the last
    // reference destroys the object.
    void IncRefCount() { ++refCount; }
    void DecRefCount() {
        if (--refCount == 0)
            delete this;
    }
    unsigned GetRefCount() const { return refCount; }

    virtual const NiRTTI* GetRTTI() const { return &ms_RTTI; }
    // True when the object's class is `rtti` or derives from it.
    bool IsKindOf(const NiRTTI& rtti) const;
    bool IsExactKindOf(const NiRTTI& rtti) const { return GetRTTI() == &rtti; }

    // Reads the object's data from the stream. Every class calls its base's LoadData first;
    // NiObject's adds the object to the stream's loaded list, so its position there is its
    // link id. Read failures are recorded by the stream, which the loader checks afterwards.
    virtual void LoadData(NiStream& stream);
    // Resolves the link ids queued by LoadData, taking exactly those, in the same order.
    virtual void Link(NiStream& stream);
    // Work that needs every object of the file linked.
    virtual void PostLink(NiStream& stream);

private:
    unsigned refCount = 0;
    NiObject(const NiObject&) = delete;
    NiObject& operator=(const NiObject&) = delete;
};

// In a class body: RTTI plus the create function the registry stores for the class.
#define NI_DECLARE_STREAMABLE                                                                      \
    NI_DECLARE_RTTI                                                                                \
    static NiObject* CreateObject();

// In a source file: RTTI and a create function that makes a default object of the class, or
// returns null when memory runs out.
#define NI_IMPLEMENT_STREAMABLE(classname, basename)                                               \
    NI_IMPLEMENT_RTTI(classname, basename)                                                         \
    NiObject* classname::CreateObject() {                                                          \
        return new (std::nothrow) classname;                                                       \
    }
