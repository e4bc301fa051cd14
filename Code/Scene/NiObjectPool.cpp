#include "Scene/NiObjectPool.h"

#include <cstdlib>

#ifdef NI_POOL_POISONS
#include <sanitizer/asan_interface.h>
#endif

using namespace NiObjectPool::Detail;

// A chunk's blocks follow GRAIN bytes in, keeping the system allocator's alignment.
struct NiObjectPool::Detail::Chunk {
    Chunk* next;
};

SizeClass NiObjectPool::Detail::classes[CLASS_COUNT];

namespace {

const size_t CHUNK_SIZE = 64 * 1024;

unsigned char* Payload(Chunk* chunk) {
    return reinterpret_cast<unsigned char*>(chunk) + GRAIN;
}
unsigned char* End(Chunk* chunk) {
    return reinterpret_cast<unsigned char*>(chunk) + CHUNK_SIZE;
}

// Under the address sanitizer, a released or not yet carved block is poisoned, so a use after
// release is caught as it would be with the system allocator.
void Poison(void* block, size_t size) {
#ifdef NI_POOL_POISONS
    ASAN_POISON_MEMORY_REGION(block, size);
#else
    (void)block;
    (void)size;
#endif
}

void Unpoison(void* block, size_t size) {
#ifdef NI_POOL_POISONS
    ASAN_UNPOISON_MEMORY_REGION(block, size);
#else
    (void)block;
    (void)size;
#endif
}

// Moves carving to the next chunk of the class, making one when there is none.
bool NextChunk(SizeClass& sizeClass) {
    Chunk* next = sizeClass.carving ? sizeClass.carving->next : sizeClass.first;
    if (!next) {
        next = static_cast<Chunk*>(std::malloc(CHUNK_SIZE));
        if (!next)
            return false;
        next->next = nullptr;
        (sizeClass.last ? sizeClass.last->next : sizeClass.first) = next;
        sizeClass.last = next;
        Poison(Payload(next), CHUNK_SIZE - GRAIN);
    }
    sizeClass.carving = next;
    sizeClass.carve = Payload(next);
    sizeClass.carveEnd = End(next);
    return true;
}

void Rewind(SizeClass& sizeClass) {
    sizeClass.freeBlocks = nullptr;
    sizeClass.carving = nullptr;
    sizeClass.carve = sizeClass.carveEnd = nullptr;
    for (Chunk* chunk = sizeClass.first; chunk; chunk = chunk->next)
        Poison(Payload(chunk), CHUNK_SIZE - GRAIN);
}

} // namespace

void* NiObjectPool::Detail::AllocateSlowly(size_t size) noexcept {
    if (size > LARGEST_POOLED)
        return std::malloc(size);
    size_t index = size ? (size - 1) / GRAIN : 0;
    size_t blockSize = (index + 1) * GRAIN;
    SizeClass& sizeClass = classes[index];
    void* block = sizeClass.freeBlocks;
    if (block) {
        Unpoison(block, blockSize);
        sizeClass.freeBlocks = sizeClass.freeBlocks->next;
    } else {
        if (static_cast<size_t>(sizeClass.carveEnd - sizeClass.carve) < blockSize &&
            !NextChunk(sizeClass))
            return nullptr;
        block = sizeClass.carve;
        sizeClass.carve += blockSize;
        Unpoison(block, blockSize);
    }
    ++sizeClass.live;
    return block;
}

void NiObjectPool::Release(void* block, size_t size) noexcept {
    if (!block)
        return;
    if (size > LARGEST_POOLED) {
        std::free(block);
        return;
    }
    size_t index = size ? (size - 1) / GRAIN : 0;
    SizeClass& sizeClass = classes[index];
    if (--sizeClass.live == 0) {
        Rewind(sizeClass);
        return;
    }
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->next = sizeClass.freeBlocks;
    sizeClass.freeBlocks = freed;
    Poison(block, (index + 1) * GRAIN);
}
