// Loads a scene graph from a stream file (layout in NiStreamFormat.h): checks the header and
// version, creates each record's object through the create-function registry and lets it read
// its data, resolves the link ids, and keeps the top-level objects for the caller.
#pragma once

#include "Scene/CreateFunctionRegistry.h"
#include "Scene/NiLinkQueue.h"
#include "Scene/NiObjectList.h"
#include "Scene/NiStreamFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <istream>
#include <memory>
#include <string>

class NiObject;
class NiStreamInput;

class NiStream {
public:
    // The process-wide error code after a failed load. 0 to 5 are the library's own; the
    // others reject input that would otherwise be read wrongly or unsafely.
    enum Error {
        ERROR_NONE = 0,
        ERROR_CANNOT_LOAD_FILE = 1,
        ERROR_NOT_A_NIF = 2,
        ERROR_VERSION_TOO_OLD = 3,
        ERROR_UNKNOWN_VERSION = 4,
        ERROR_NO_CREATE_FUNCTION = 5,
        ERROR_UNEXPECTED_END = 6,
        ERROR_CLASS_NAME_TOO_LONG = 7,
        ERROR_HEADER_TOO_LONG = 8,
        ERROR_LINK_OUT_OF_RANGE = 9,
        ERROR_LINK_QUEUE_EXHAUSTED = 10,
        ERROR_NO_OBJECT_CREATED = 11,
        ERROR_OUT_OF_MEMORY = 12,
        ERROR_OBJECT_NOT_LOADED = 13,
    };
    static const size_t MAX_ERROR_MESSAGE = 255;

    // Resets the process-wide error (code 0, empty message).
    NiStream();
    // Drops every reference the stream still holds.
    ~NiStream();

    // Opens `fileName` for binary reading, loads it and closes it. False when the file cannot
    // be opened (error 1, "<name> cannot load file") or the load fails.
    bool Load(const char* fileName);
    // Loads from `input`, which stays open. False with error 1 (message unchanged) when it is
    // null; false without touching the error when it is not in a good state. Whatever the
    // input's exception mask, a failure is reported by the result, never thrown; the input is
    // left just after the bytes the load took whenever it can put back or seek.
    bool Load(std::istream* input);
    // Loads from the `size` bytes at `data`, read in place. False with error 1 (message
    // unchanged) when `data` is null.
    bool Load(const void* data, size_t size);

    // The top-level objects of the last successful load; null at or beyond the count.
    unsigned GetObjectCount() const { return static_cast<unsigned>(topObjects.GetSize()); }
    NiObject* GetObjectAt(unsigned position) const { return topObjects.At(position); }

    uint32_t GetFileVersion() const { return fileVersion; }
    uint32_t GetRecordCount() const { return recordCount; }
    const std::string& GetFileName() const { return fileName; }

    static int GetLastError();
    static const char* GetLastErrorMessage();

    // Primitives for the classes' LoadData. Each reads at the current position; at the end of
    // the input, or once the load has failed, it reads nothing, returns false (or null) and
    // the load stops after the current object with the error recorded.
    bool ReadBytes(void* buffer, size_t size) {
        if (!failed && input && static_cast<size_t>(limit - cursor) >= size) {
            if (size)
                std::memcpy(buffer, cursor, size);
            cursor += size;
            return true;
        }
        return ReadBytesSlowly(buffer, size);
    }
    bool ReadUInt32(uint32_t& value) {
        if (!failed && input &&
            limit - cursor >= static_cast<std::ptrdiff_t>(NifFormat::WORD_SIZE)) {
            value = NifFormat::DecodeFixed32(cursor);
            cursor += NifFormat::WORD_SIZE;
            return true;
        }
        return ReadUInt32Slowly(value);
    }
    bool ReadInt32(int32_t& value);
    // A signed length n, then n bytes: a new text of n characters plus terminator when n > 0,
    // otherwise null.
    std::unique_ptr<char[]> ReadSizedString();
    // One link id onto the link-id queue.
    void QueueLinkId() {
        uint32_t id;
        if (ReadUInt32(id) && !linkIds.Add(id))
            Fail(ERROR_OUT_OF_MEMORY);
    }
    // A count onto the count queue, then that many link ids onto the link-id queue.
    void QueueLinkIdList();
    // Appends `object` to the loaded list (taking a reference): its position is its link id.
    void AddLoadedObject(NiObject* object) {
        if (object && !failed && !loadedObjects.Append(object))
            Fail(ERROR_OUT_OF_MEMORY);
    }

    // Primitives for the classes' Link, taking the queues in the order they were filled.
    // Null for the null link id; null, failing the load, for an id at or beyond the number
    // of loaded objects or when the queue is empty.
    NiObject* TakeLinkedObject() {
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
    // 0, failing the load, when the count queue is empty.
    uint32_t TakeLinkIdCount() {
        uint32_t count = 0;
        if (failed)
            return 0;
        if (!linkCounts.Take(count))
            Fail(ERROR_LINK_QUEUE_EXHAUSTED);
        return count;
    }

    // True once something in the current load failed.
    bool HasFailed() const { return failed; }
    size_t GetLoadedObjectCount() const { return loadedObjects.GetSize(); }

private:
    uint32_t fileVersion = 0;
    uint32_t recordCount = 0;
    std::string fileName;
    NiObjectList loadedObjects;
    NiObjectList topObjects;
    NiStreamInput* input = nullptr;
    // The window of input bytes not yet read, and the buffer it lies in when the input is not
    // a memory block (null then).
    const unsigned char* cursor = nullptr;
    const unsigned char* limit = nullptr;
    unsigned char* window = nullptr;
    size_t windowSize = 0;
    NiLinkQueue linkIds;
    NiLinkQueue linkCounts;
    bool failed = false;
    // The last class looked up, so a file of many records of one class looks it up once
    // while the registry stays as it was.
    char lastClass[NifFormat::MAX_CLASS_NAME_LENGTH + 1] = {};
    uint32_t lastClassLength = 0;
    CreateFunction lastCreate = nullptr;
    unsigned lastRevision = 0;

    bool LoadFrom(NiStreamInput& source, const unsigned char* begin, const unsigned char* end,
                  size_t bufferSize);
    bool Fill(size_t wanted);
    bool ReadBytesSlowly(void* buffer, size_t size);
    bool ReadUInt32Slowly(uint32_t& value);
    std::unique_ptr<char[]> ReadLongString(size_t length);
    bool FindClass(const char* name, uint32_t length, CreateFunction& create);
    bool LoadStream();
    bool ReadHeader();
    bool LoadRecord();
    bool ReadTopLevel();
    bool LinkObjects();
    void DeriveUpdateFlags();
    bool Fail(Error code);
    bool Fail(Error code, const char* name);

    NiStream(const NiStream&) = delete;
    NiStream& operator=(const NiStream&) = delete;
};
