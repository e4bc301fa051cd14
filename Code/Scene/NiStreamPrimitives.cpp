// The reading and linking primitives that object classes call on NiStream.
#include "Scene/NiStream.h"

#include "Scene/NiStreamFormat.h"
#include "Scene/NiStreamInput.h"

#include <cstring>
#include <new>
#include <string>

namespace {

// A sized string's bytes are read in pieces of this size, so a huge length in a short file
// costs no more memory than the bytes actually there.
const size_t STRING_CHUNK = 4096;

} // namespace

bool NiStream::ReadBytes(void* buffer, size_t size) {
    if (failed || !input)
        return false;
    if (size == 0)
        return true;
    if (input->Read(buffer, size) != size)
        return Fail(ERROR_UNEXPECTED_END);
    return true;
}

bool NiStream::ReadUInt32(uint32_t& value) {
    unsigned char bytes[NifFormat::WORD_SIZE];
    if (!ReadBytes(bytes, sizeof(bytes))) {
        value = 0;
        return false;
    }
    value = NifFormat::DecodeFixed32(bytes);
    return true;
}

bool NiStream::ReadInt32(int32_t& value) {
    uint32_t bits;
    bool read = ReadUInt32(bits);
    std::memcpy(&value, &bits, sizeof(value));
    return read;
}

std::unique_ptr<char[]> NiStream::ReadSizedString() {
    int32_t length;
    if (!ReadInt32(length) || length <= 0)
        return nullptr;
    std::string bytes;
    size_t wanted = static_cast<size_t>(length);
    while (bytes.size() < wanted) {
        char chunk[STRING_CHUNK];
        size_t piece = wanted - bytes.size() < STRING_CHUNK ? wanted - bytes.size() : STRING_CHUNK;
        if (!ReadBytes(chunk, piece))
            return nullptr;
        bytes.append(chunk, piece);
    }
    std::unique_ptr<char[]> text(new (std::nothrow) char[wanted + 1]);
    if (!text) {
        Fail(ERROR_OUT_OF_MEMORY);
        return nullptr;
    }
    std::memcpy(text.get(), bytes.data(), wanted);
    text[wanted] = '\0';
    return text;
}

void NiStream::QueueLinkId() {
    uint32_t id;
    if (ReadUInt32(id) && !linkIds.Add(id))
        Fail(ERROR_OUT_OF_MEMORY);
}

void NiStream::QueueLinkIdList() {
    uint32_t count;
    if (!ReadUInt32(count))
        return;
    if (!linkCounts.Add(count)) {
        Fail(ERROR_OUT_OF_MEMORY);
        return;
    }
    // The queue grows only as ids are actually read: a false count ends at the input's end.
    for (uint32_t i = 0; i < count && !failed; ++i)
        QueueLinkId();
}

void NiStream::AddLoadedObject(NiObject* object) {
    if (!object || failed)
        return;
    if (!loadedObjects.Append(object))
        Fail(ERROR_OUT_OF_MEMORY);
}

NiObject* NiStream::TakeLinkedObject() {
    uint32_t id;
    if (failed)
        return nullptr;
    if (!linkIds.Take(id)) {
        Fail(ERROR_LINK_QUEUE_EXHAUSTED);
        return nullptr;
    }
    if (id == NifFormat::NULL_LINK)
        return nullptr;
    if (id >= loadedObjects.GetSize()) {
        Fail(ERROR_LINK_OUT_OF_RANGE);
        return nullptr;
    }
    return loadedObjects.At(id);
}

uint32_t NiStream::TakeLinkIdCount() {
    uint32_t count = 0;
    if (failed)
        return 0;
    if (!linkCounts.Take(count))
        Fail(ERROR_LINK_QUEUE_EXHAUSTED);
    return count;
}
