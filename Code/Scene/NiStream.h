// Loads a scene graph from a stream file (layout in NiStreamFormat.h): checks the header and
// version, creates each record's object through the create-function registry and lets it read
// its data, resolves the link ids, and keeps the top-level objects for the caller.
#pragma once

#include "Scene/NiLinkQueue.h"
#include "Scene/NiObjectList.h"

#include <cstdint>
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
    // null; false without touching the error when it is not in a good state.
    bool Load(std::istream* input);

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
    bool ReadBytes(void* buffer, size_t size);
    bool ReadUInt32(uint32_t& value);
    bool ReadInt32(int32_t& value);
    // A signed length n, then n bytes: a new text of n characters plus terminator when n > 0,
    // otherwise null.
    std::unique_ptr<char[]> ReadSizedString();
    // One link id onto the link-id queue.
    void QueueLinkId();
    // A count onto the count queue, then that many link ids onto the link-id queue.
    void QueueLinkIdList();
    // Appends `object` to the loaded list (taking a reference): its position is its link id.
    void AddLoadedObject(NiObject* object);

    // Primitives for the classes' Link, taking the queues in the order they were filled.
    // Null for the null link id; null, failing the load, for an id at or beyond the number
    // of loaded objects or when the queue is empty.
    NiObject* TakeLinkedObject();
    // 0, failing the load, when the count queue is empty.
    uint32_t TakeLinkIdCount();

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
    NiLinkQueue linkIds;
    NiLinkQueue linkCounts;
    bool failed = false;

    bool LoadFrom(NiStreamInput& source);
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
