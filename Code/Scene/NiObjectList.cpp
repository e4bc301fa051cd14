#include "Scene/NiObjectList.h"

#include "Scene/NiObject.h"

#include <cstdint>
#include <cstdlib>

NiObjectList::NiObjectList(size_t initialCapacity, size_t growBy) : growBy(growBy) {
    if (initialCapacity) {
        entries = static_cast<NiObject**>(std::malloc(initialCapacity * sizeof(NiObject*)));
        capacity = entries ? initialCapacity : 0;
    }
}

NiObjectList::~NiObjectList() {
    Clear();
    std::free(entries);
}

bool NiObjectList::Grow() {
    size_t step = growBy ? growBy : (capacity ? capacity : 1);
    size_t grown = capacity + step;
    if (grown < capacity || grown > SIZE_MAX / sizeof(NiObject*))
        return false;
    void* moved = std::realloc(entries, grown * sizeof(NiObject*));
    if (!moved)
        return false;
    entries = static_cast<NiObject**>(moved);
    capacity = grown;
    return true;
}

void NiObjectList::Clear() {
    // Destroying one object can run arbitrary code; take each entry out before releasing it.
    for (size_t i = 0; i < size; ++i) {
        NiObject* object = entries[i];
        entries[i] = nullptr;
        if (object)
            object->DecRefCount();
    }
    size = 0;
}
