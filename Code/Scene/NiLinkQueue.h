// A first-in first-out queue of 32-bit values (link ids or counts) that a stream fills while
// reading and empties while linking. Starts with capacity 1 and doubles when full.
#pragma once

#include <cstddef>
#include <cstdint>

class NiLinkQueue {
public:
    NiLinkQueue();
    ~NiLinkQueue();

    // False, with the queue unchanged, when memory for more entries runs out.
    bool Add(uint32_t value);
    // False when every value added has been taken.
    bool Take(uint32_t& value);
    // Forgets every value, taken or not; keeps the memory.
    void Reset() { size = readPosition = 0; }

    size_t GetSize() const { return size; }
    size_t GetCapacity() const { return capacity; }
    size_t GetRemaining() const { return size - readPosition; }

private:
    uint32_t* values = nullptr;
    size_t capacity = 0;
    size_t size = 0;
    size_t readPosition = 0;

    NiLinkQueue(const NiLinkQueue&) = delete;
    NiLinkQueue& operator=(const NiLinkQueue&) = delete;
};
