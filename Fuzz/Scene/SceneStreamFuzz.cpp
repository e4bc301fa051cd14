// Loads arbitrary bytes as a stream file, with the tests' classes registered so that strings,
// link ids and link id lists are read and linked. A load either succeeds with a consistent
// tree or fails with an error code and a message that fits; the sanitizers watch the rest.
// The same bytes load in place from memory and through a std::istream that throws on every
// failure bit; both ways must end alike, the window refills of the second included.
#include "TestSceneClasses.h"

#include "Scene/NiStream.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <streambuf>
#include <string>
#include <utility>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckTree(NiAVObject* object) {
    for (unsigned i = 0; i < object->GetChildCount(); ++i) {
        NiAVObject* child = object->GetChildAt(i);
        Check(child && child->GetParent() == object);
    }
}

// Hands its bytes over a few at a time, so that the loader's window is refilled often.
class TrickleBuffer : public std::streambuf {
public:
    TrickleBuffer(const uint8_t* data, size_t size)
        : next(reinterpret_cast<const char*>(data)), end(next + size) {}

protected:
    int_type underflow() override {
        if (next == end)
            return traits_type::eof();
        size_t count = std::min<size_t>(sizeof(piece), static_cast<size_t>(end - next));
        std::memcpy(piece, next, count);
        next += count;
        setg(piece, piece, piece + count);
        return traits_type::to_int_type(piece[0]);
    }

private:
    const char* next;
    const char* end;
    char piece[7];
};

// Loads through a throwing std::istream; returns the result and the error code.
std::pair<bool, int> LoadThroughIstream(const uint8_t* data, size_t size) {
    NiStream stream;
    TrickleBuffer buffer(data, size);
    std::istream input(&buffer);
    input.exceptions(std::ios::failbit | std::ios::badbit | std::ios::eofbit);
    bool loaded = stream.Load(&input);
    return {loaded, NiStream::GetLastError()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool registered = (RegisterTestSceneClasses(), true);
    (void)registered;
    std::pair<bool, int> throughIstream = LoadThroughIstream(data, size);
    NiStream stream;
    bool loaded = stream.Load(data ? static_cast<const void*>(data) : "", size);
    Check(loaded == (NiStream::GetLastError() == 0));
    Check(throughIstream == std::make_pair(loaded, NiStream::GetLastError()));
    Check(std::strlen(NiStream::GetLastErrorMessage()) <= NiStream::MAX_ERROR_MESSAGE);
    if (!loaded) {
        Check(stream.GetObjectCount() == 0);
        return 0;
    }
    Check(stream.GetLoadedObjectCount() == 0);
    for (unsigned i = 0; i < stream.GetObjectCount(); ++i) {
        NiObject* object = stream.GetObjectAt(i);
        if (object && object->IsKindOf(NiAVObject::ms_RTTI))
            CheckTree(static_cast<NiAVObject*>(object));
    }
    return 0;
}
