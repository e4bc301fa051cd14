#include "Scene/NiLinkQueue.h"

#include <cstdlib>

NiLinkQueue::NiLinkQueue() {
    values = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t)));
    capacity = values ? 1 : 0;
}

NiLinkQueue::~NiLinkQueue() {
    std::free(values);
}

bool NiLinkQueue::Grow() {
    size_t grown = capacity ? capacity * 2 : 1;
    if (grown < capacity || grown > SIZE_MAX / sizeof(uint32_t))
        return false;
    void* moved = std::realloc(values, grown * sizeof(uint32_t));
    if (!moved)
        return false;
    values = static_cast<uint32_t*>(moved);
    capacity = grown;
    return true;
}

bool NiLinkQueue::GrowFor(size_t count) {
    while (capacity - size < count) {
        if (!Grow())
            return false;
    }
    return true;
}
