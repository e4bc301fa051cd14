// A list of references to scene objects: each entry holds one reference, dropped when the
// entry is removed. Null entries are allowed (an empty top-level position).
#pragma once

#include "Scene/NiObject.h"

#include <cstddef>

class NiObjectList {
public:
    // The list allocates `initialCapacity` entries up front and grows by `growBy` entries,
    // or doubles when `growBy` is 0.
    NiObjectList(size_t initialCapacity, size_t growBy);
    ~NiObjectList();

    // Appends `object` (may be null) and takes a reference on it. False, with nothing
    // changed, when memory runs out.
    bool Append(NiObject* object) {
        if (size == capacity && !Grow())
            return false;
        entries[size++] = object;
        if (object)
            object->IncRefCount();
        return true;
    }
    // The object at `position`, or null at or beyond the size.
    NiObject* At(size_t position) const { return position < size ? entries[position] : nullptr; }
    size_t GetSize() const { return size; }
    size_t GetCapacity() const { return capacity; }
    // Drops every reference, first entry first, and empties the list.
    void Clear();

private:
    NiObject** entries = nullptr;
    size_t capacity = 0;
    size_t size = 0;
    size_t growBy;

    bool Grow();

    NiObjectList(const NiObjectList&) = delete;
    NiObjectList& operator=(const NiObjectList&) = delete;
};
