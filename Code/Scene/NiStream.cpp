#include "Scene/NiStream.h"

#include "Scene/CreateFunctionRegistry.h"
#include "Scene/NiAVObject.h"
#include "Scene/NiPointer.h"
#include "Scene/NiStreamError.h"
#include "Scene/NiStreamFormat.h"
#include "Scene/NiStreamInput.h"
#include "Scene/NiVersion.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

const size_t LOADED_LIST_CAPACITY = 1024;
// Nothing outside the stream sees the loaded list's capacity; doubling keeps a large file's
// appends linear where fixed steps of 1024 would copy the list over and over.
const size_t LOADED_LIST_DOUBLES = 0;
const size_t FILE_BUFFER_SIZE = 32768;
// Bytes of a file or a caller's stream are read this many at a time into the window.
const size_t WINDOW_SIZE = 65536;

// Closes the file however the load ends.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

const char* ErrorText(NiStream::Error code) {
    static const char* const texts[] = {
        "",
        "cannot load file",
        "is not a NIF file",
        "NIF version is too old",
        "unknown NIF version",
        "cannot find create function",
        "unexpected end of file",
        "class name is too long",
        "header line is too long",
        "link id out of range",
        "link queue read past its end",
        "create function returned no object",
        "out of memory",
        "object did not add itself to the loaded list",
    };
    static_assert(sizeof(texts) / sizeof(texts[0]) == NiStream::ERROR_OBJECT_NOT_LOADED + 1,
                  "one text a code");
    return texts[code];
}

} // namespace

NiStream::NiStream() : loadedObjects(LOADED_LIST_CAPACITY, LOADED_LIST_DOUBLES), topObjects(0, 0) {
    NiStreamError::Reset();
}

NiStream::~NiStream() {
    topObjects.Clear();
    loadedObjects.Clear();
}

int NiStream::GetLastError() {
    return NiStreamError::GetCode();
}

const char* NiStream::GetLastErrorMessage() {
    return NiStreamError::GetMessage();
}

bool NiStream::Load(const char* name) {
    fileName = name ? name : "";
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) {
        NiStreamError::SetWithName(ERROR_CANNOT_LOAD_FILE, "cannot load file", fileName.c_str(),
                                   true);
        return false;
    }
    std::setvbuf(file.get(), nullptr, _IOFBF, FILE_BUFFER_SIZE);
    NiFileInput source(file.get());
    return LoadFrom(source, nullptr, nullptr, WINDOW_SIZE);
}

bool NiStream::Load(std::istream* stream) {
    if (!stream) {
        NiStreamError::SetCode(ERROR_CANNOT_LOAD_FILE);
        return false;
    }
    if (!stream->good())
        return false;
    NiIstreamInput source(*stream);
    return LoadFrom(source, nullptr, nullptr, WINDOW_SIZE);
}

bool NiStream::Load(const void* data, size_t size) {
    if (!data) {
        NiStreamError::SetCode(ERROR_CANNOT_LOAD_FILE);
        return false;
    }
    NiMemoryInput source;
    const unsigned char* begin = static_cast<const unsigned char*>(data);
    return LoadFrom(source, begin, begin + size, 0);
}

bool NiStream::LoadFrom(NiStreamInput& source, const unsigned char* begin, const unsigned char* end,
                        size_t bufferSize) {
    // A stream reused after a failed load must not number this file's objects after the
    // leftovers of the last one, nor link with its unread ids.
    loadedObjects.Clear();
    linkIds.Reset();
    linkCounts.Reset();
    failed = false;
    std::unique_ptr<unsigned char[]> buffer;
    if (bufferSize) {
        buffer.reset(new (std::nothrow) unsigned char[bufferSize]);
        if (!buffer) {
            topObjects.Clear();
            return Fail(ERROR_OUT_OF_MEMORY);
        }
    }
    // However the load ends, even by an exception out of a class's own code, the stream is
    // left pointing at neither the input nor the window.
    struct Detach {
        NiStream& stream;
        ~Detach() {
            stream.input = nullptr;
            stream.cursor = stream.limit = stream.window = nullptr;
            stream.windowSize = 0;
        }
    } detach{*this};
    input = &source;
    window = buffer.get();
    windowSize = bufferSize;
    cursor = begin;
    limit = end;
    bool loaded;
    try {
        loaded = LoadStream();
    } catch (const std::bad_alloc&) {
        loaded = Fail(ERROR_OUT_OF_MEMORY);
    }
    source.Unread(cursor, static_cast<size_t>(limit - cursor));
    if (!loaded)
        topObjects.Clear();
    return loaded;
}

bool NiStream::Fill(size_t wanted) {
    size_t have = static_cast<size_t>(limit - cursor);
    if (have >= wanted)
        return true;
    if (!input || wanted > windowSize)
        return false;
    if (have)
        std::memmove(window, cursor, have);
    size_t got = input->Read(window + have, wanted - have, windowSize - have);
    cursor = window;
    limit = window + have + got;
    return have + got >= wanted;
}

bool NiStream::LoadStream() {
    if (!ReadHeader())
        return false;
    if (!ReadUInt32(fileVersion))
        return false;
    if (fileVersion < NI_OLDEST_READABLE_VERSION)
        return Fail(ERROR_VERSION_TOO_OLD);
    if (fileVersion > NI_CURRENT_VERSION)
        return Fail(ERROR_UNKNOWN_VERSION);
    if (!ReadUInt32(recordCount))
        return false;
    topObjects.Clear();
    // The count is not trusted: objects are made one record at a time, as their bytes arrive.
    for (uint32_t i = 0; i < recordCount; ++i) {
        if (!LoadRecord())
            return false;
    }
    if (!ReadTopLevel() || !LinkObjects())
        return false;
    if (fileVersion < NI_UPDATE_FLAGS_VERSION)
        DeriveUpdateFlags();
    loadedObjects.Clear();
    return true;
}

bool NiStream::ReadHeader() {
    char line[NifFormat::MAX_HEADER_CHARS + 1];
    size_t kept = 0;
    bool ended = false;
    bool tooLong = false;
    while (Fill(1)) {
        char c = static_cast<char>(*cursor++);
        if (c == '\n') {
            ended = true;
            break;
        }
        if (c == '\r')
            continue;
        if (kept == NifFormat::MAX_HEADER_CHARS) {
            tooLong = true;
            break;
        }
        line[kept++] = c;
    }
    line[kept] = '\0';
    if (kept < NifFormat::HEADER_MAGIC_LENGTH ||
        std::memcmp(line, NifFormat::HEADER_MAGIC, NifFormat::HEADER_MAGIC_LENGTH) != 0)
        return Fail(ERROR_NOT_A_NIF);
    if (tooLong)
        return Fail(ERROR_HEADER_TOO_LONG);
    if (!ended)
        return Fail(ERROR_UNEXPECTED_END);
    return true;
}

bool NiStream::LoadRecord() {
    uint32_t length;
    if (!ReadUInt32(length))
        return false;
    if (length > NifFormat::MAX_CLASS_NAME_LENGTH)
        return Fail(ERROR_CLASS_NAME_TOO_LONG);
    const char* name = lastClass;
    char read[NifFormat::MAX_CLASS_NAME_LENGTH + 1];
    CreateFunction create = lastCreate;
    // The class of the record before, still registered as it was, is taken from the window.
    if (length == lastClassLength && lastCreate && static_cast<size_t>(limit - cursor) >= length &&
        std::memcmp(cursor, lastClass, length) == 0 &&
        GetCreateFunctionRevision() == lastRevision) {
        cursor += length;
    } else {
        if (!ReadBytes(read, length))
            return false;
        read[length] = '\0';
        name = read;
        // A name with a NUL inside would otherwise match the registered name before it.
        if (std::strlen(read) != length || !FindClass(read, length, create))
            return Fail(ERROR_NO_CREATE_FUNCTION, read);
    }
    // Held here until the object has added itself to the loaded list.
    NiPointer<NiObject> object = create();
    if (!object)
        return Fail(ERROR_NO_OBJECT_CREATED, name);
    size_t before = loadedObjects.GetSize();
    object->LoadData(*this);
    if (failed)
        return false;
    if (loadedObjects.GetSize() != before + 1 || loadedObjects.At(before) != object.Get())
        return Fail(ERROR_OBJECT_NOT_LOADED, name);
    return true;
}

// Looks the name up and remembers the answer for the records that follow.
bool NiStream::FindClass(const char* name, uint32_t length, CreateFunction& create) {
    unsigned revision = GetCreateFunctionRevision();
    if (!FindCreateFunction(name, create))
        return false;
    std::memcpy(lastClass, name, length);
    lastClass[length] = '\0';
    lastClassLength = length;
    lastCreate = create;
    lastRevision = revision;
    return true;
}

bool NiStream::ReadTopLevel() {
    uint32_t count;
    if (!ReadUInt32(count))
        return false;
    // Grown as ids are read, never sized from the unverified count.
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t id;
        if (!ReadUInt32(id))
            return false;
        NiObject* object = nullptr;
        if (id != NifFormat::NULL_LINK) {
            if (id >= loadedObjects.GetSize())
                return Fail(ERROR_LINK_OUT_OF_RANGE);
            object = loadedObjects.At(id);
        }
        if (!topObjects.Append(object))
            return Fail(ERROR_OUT_OF_MEMORY);
    }
    return true;
}

bool NiStream::LinkObjects() {
    for (size_t i = 0; i < loadedObjects.GetSize(); ++i) {
        loadedObjects.At(i)->Link(*this);
        if (failed)
            return false;
    }
    for (size_t i = 0; i < loadedObjects.GetSize(); ++i) {
        loadedObjects.At(i)->PostLink(*this);
        if (failed)
            return false;
    }
    return true;
}

void NiStream::DeriveUpdateFlags() {
    for (size_t i = 0; i < loadedObjects.GetSize(); ++i) {
        NiObject* object = loadedObjects.At(i);
        if (!object->IsKindOf(NiAVObject::ms_RTTI))
            continue;
        NiAVObject* placed = static_cast<NiAVObject*>(object);
        if (!placed->GetParent())
            placed->DeriveUpdateFlags();
    }
}

bool NiStream::Fail(Error code) {
    return Fail(code, nullptr);
}

bool NiStream::Fail(Error code, const char* name) {
    // The first failure says why the load stopped; later ones are its consequences.
    if (!failed) {
        if (name)
            NiStreamError::SetWithName(code, ErrorText(code), name, false);
        else
            NiStreamError::Set(code, ErrorText(code));
    }
    failed = true;
    return false;
}
