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
    bool Add(uint32_t value) {
        if (size == capacity && !Grow())
            return false;
        values[size++] = value;
        return true;
    }
    // Makes room for `count` more values, doubling as Add would. False, with the queue
    // unchanged, when memory runs out.
    bool Reserve(size_t count) { return capacity - size >= count || GrowFor(count); }
    // False when every value added has been taken.
    bool Take(uint32_t& value) {
        if (readPosition >= size)
            return false;
        value = values[readPosition++];
        return true;
    }
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

    bool Grow();
    bool GrowFor(size_t count);

    NiLinkQueue(const NiLinkQueue&) = delete;
    NiLinkQueue& operator=(const NiLinkQueue&) = delete;
};
