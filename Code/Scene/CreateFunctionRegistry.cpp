#include "Scene/CreateFunctionRegistry.h"

#include <cstring>
#include <new>

namespace {

// Zero before any dynamic initialiser runs, so registrations from any translation unit, in
// any order, find it in a defined state.
CreateFunctionRegistry* theRegistry = nullptr;
bool registryDestroyed = false;
unsigned revision = 0;

} // namespace

CreateFunctionRegistry::CreateFunctionRegistry() {
    for (Entry*& b : buckets)
        b = nullptr;
}

CreateFunctionRegistry::~CreateFunctionRegistry() {
    for (Entry* e : buckets) {
        while (e) {
            Entry* next = e->next;
            delete e;
            e = next;
        }
    }
}

unsigned CreateFunctionRegistry::Hash(const char* name) {
    unsigned h = 0;
    for (const char* p = name; *p; ++p)
        h = h * 33u + static_cast<unsigned>(static_cast<signed char>(*p));
    return h;
}

bool CreateFunctionRegistry::Insert(const char* name, CreateFunction function) {
    Entry*& first = buckets[BucketOf(name)];
    for (Entry* e = first; e; e = e->next) {
        if (std::strcmp(e->key, name) == 0) {
            e->key = name;
            e->function = function;
            return true;
        }
    }
    Entry* added = new (std::nothrow) Entry{name, function, first};
    if (!added)
        return false;
    first = added;
    ++count;
    return true;
}

bool CreateFunctionRegistry::Find(const char* name, CreateFunction& function) const {
    for (const Entry* e = buckets[BucketOf(name)]; e; e = e->next) {
        if (std::strcmp(e->key, name) == 0) {
            function = e->function;
            return true;
        }
    }
    return false;
}

bool RegisterCreateFunction(const char* name, CreateFunction function) {
    // A registration after the exit handler ran would leak a registry nobody frees.
    if (registryDestroyed)
        return false;
    ++revision;
    if (!theRegistry)
        theRegistry = new (std::nothrow) CreateFunctionRegistry;
    if (theRegistry)
        theRegistry->Insert(name, function);
    return false;
}

bool FindCreateFunction(const char* name, CreateFunction& function) {
    return theRegistry && name && theRegistry->Find(name, function);
}

unsigned GetCreateFunctionRevision() {
    return revision;
}

unsigned GetCreateFunctionCount() {
    return theRegistry ? theRegistry->GetCount() : 0;
}

const CreateFunctionRegistry* GetCreateFunctionRegistry() {
    return theRegistry;
}

void DestroyCreateFunctionRegistry() {
    delete theRegistry;
    theRegistry = nullptr;
    registryDestroyed = true;
    ++revision;
}
