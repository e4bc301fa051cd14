// Memory for scene objects: blocks of a few size classes, carved from large chunks and kept on
// a free list per class when released, so a load of a million small objects costs a million
// list operations rather than a million trips through the system allocator. Chunks stay with
// the process; larger requests go to the system allocator. One thread, as the library.
#pragma once

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define NI_POOL_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NI_POOL_POISONS 1
#endif
#endif

namespace NiObjectPool {

namespace Detail {

const size_t GRAIN = 16;
const size_t CLASS_COUNT = 16;
const size_t LARGEST_POOLED = GRAIN * CLASS_COUNT;

struct FreeBlock {
    FreeBlock* next;
};
struct Chunk;

// The chunks of one size class, in the order they were made. Blocks are carved from them in
// that order; released blocks go onto a free list that is used first. When the last block of
// the class comes back, the class starts carving from its first chunk again, so a load that
// follows the teardown of another finds its objects side by side rather than scattered.
struct SizeClass {
    Chunk* first;
    Chunk* last;
    Chunk* carving;
    unsigned char* carve;
    unsigned char* carveEnd;
    FreeBlock* freeBlocks;
    size_t live;
};

// Zero before any dynamic initialiser runs: objects made by static initialisers find it ready.
extern SizeClass classes[CLASS_COUNT];

void* AllocateSlowly(size_t size) noexcept;

} // namespace Detail

// A block of at least `size` bytes, aligned for any object; null when memory runs out.
inline void* Allocate(size_t size) noexcept {
    using namespace Detail;
    // Under the address sanitizer every block is unpoisoned on its way out, out of line.
#ifndef NI_POOL_POISONS
    if (size - 1 < LARGEST_POOLED) {
        size_t index = (size - 1) / GRAIN;
        SizeClass& sizeClass = classes[index];
        // The common case, carving a fresh block, stays inline.
        size_t blockSize = (index + 1) * GRAIN;
        if (!sizeClass.freeBlocks &&
            static_cast<size_t>(sizeClass.carveEnd - sizeClass.carve) >= blockSize) {
            void* block = sizeClass.carve;
            sizeClass.carve += blockSize;
            ++sizeClass.live;
            return block;
        }
    }
#endif
    return AllocateSlowly(size);
}
// Returns `block` (may be null), got from Allocate with the same `size`.
void Release(void* block, size_t size) noexcept;

} // namespace NiObjectPool

// Gives containers inside scene objects (a node's child list) their memory from the pools.
template <class T> class NiPoolAllocator {
public:
    using value_type = T;
    NiPoolAllocator() noexcept = default;
    template <class U> NiPoolAllocator(const NiPoolAllocator<U>&) noexcept {}

    T* allocate(size_t count) {
        if (count > static_cast<size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        void* block = NiObjectPool::Allocate(count * sizeof(T));
        if (!block)
            throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, size_t count) noexcept {
        NiObjectPool::Release(block, count * sizeof(T));
    }

    template <class U> bool operator==(const NiPoolAllocator<U>&) const noexcept { return true; }
    template <class U> bool operator!=(const NiPoolAllocator<U>&) const noexcept { return false; }
};
