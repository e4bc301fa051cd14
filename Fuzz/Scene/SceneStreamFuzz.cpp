// Loads arbitrary bytes as a stream file, with the tests' classes registered so that strings,
// link ids and link id lists are read and linked. A load either succeeds with a consistent
// tree or fails with an error code and a message that fits; the sanitizers watch the rest.
#include "TestSceneClasses.h"

#include "Scene/NiStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool registered = (RegisterTestSceneClasses(), true);
    (void)registered;
    NiStream stream;
    std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
    bool loaded = stream.Load(&input);
    Check(loaded == (NiStream::GetLastError() == 0));
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
