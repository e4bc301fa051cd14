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

bool NiStream::ReadBytesSlowly(void* buffer, size_t size) {
    if (failed || !input)
        return false;
    if (Fill(size)) {
        std::memcpy(buffer, cursor, size);
        cursor += size;
        return true;
    }
    size_t have = static_cast<size_t>(limit - cursor);
    if (size > windowSize) {
        // More than the window holds: what it has, then the rest straight from the input.
        unsigned char* out = static_cast<unsigned char*>(buffer);
        if (have)
            std::memcpy(out, cursor, have);
        cursor = limit;
        size_t rest = size - have;
        if (input->Read(out + have, rest, rest) == rest)
            return true;
    }
    // A short read takes what there was, as reading the input directly would.
    cursor = limit;
    return Fail(ERROR_UNEXPECTED_END);
}

bool NiStream::ReadUInt32Slowly(uint32_t& value) {
    unsigned char bytes[NifFormat::WORD_SIZE];
    if (!ReadBytesSlowly(bytes, sizeof(bytes))) {
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
    size_t wanted = static_cast<size_t>(length);
    // Bytes already in the window back the text's memory; otherwise they are gathered first.
    if (static_cast<size_t>(limit - cursor) < wanted)
        return ReadLongString(wanted);
    std::unique_ptr<char[]> text(new (std::nothrow) char[wanted + 1]);
    if (!text) {
        Fail(ERROR_OUT_OF_MEMORY);
        return nullptr;
    }
    std::memcpy(text.get(), cursor, wanted);
    cursor += wanted;
    text[wanted] = '\0';
    return text;
}

std::unique_ptr<char[]> NiStream::ReadLongString(size_t wanted) {
    std::string bytes;
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

void NiStream::QueueLinkIdList() {
    uint32_t count;
    if (!ReadUInt32(count))
        return;
    if (!linkCounts.Add(count)) {
        Fail(ERROR_OUT_OF_MEMORY);
        return;
    }
    // The queue grows only as ids are actually read: a false count ends at the input's end.
    // The ids already in the window go over in one piece.
    size_t inWindow = static_cast<size_t>(limit - cursor) / NifFormat::WORD_SIZE;
    size_t now = count < inWindow ? count : inWindow;
    if (now && !linkIds.Reserve(now))
        Fail(ERROR_OUT_OF_MEMORY);
    for (size_t i = 0; i < now && !failed; ++i, cursor += NifFormat::WORD_SIZE)
        linkIds.Add(NifFormat::DecodeFixed32(cursor));
    for (size_t i = now; i < count && !failed; ++i)
        QueueLinkId();
}
