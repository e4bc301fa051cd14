#include "Scene/NiLinkQueue.h"

#include <cstdlib>

NiLinkQueue::NiLinkQueue() {
    values = static_cast<uint32_t*>(std::malloc(sizeof(uint32_t)));
    capacity = values ? 1 : 0;
}

NiLinkQueue::~NiLinkQueue() {
    std::free(values);
}

bool NiLinkQueue::Add(uint32_t value) {
    if (size == capacity) {
        size_t grown = capacity ? capacity * 2 : 1;
        if (grown < capacity || grown > SIZE_MAX / sizeof(uint32_t))
            return false;
        void* moved = std::realloc(values, grown * sizeof(uint32_t));
        if (!moved)
            return false;
        values = static_cast<uint32_t*>(moved);
        capacity = grown;
    }
    values[size++] = value;
    return true;
}

bool NiLinkQueue::Take(uint32_t& value) {
    if (readPosition >= size)
        return false;
    value = values[readPosition++];
    return true;
}
