// The registry that turns a class name read from a stream file into a new object of that
// class. Filled by static initialisers before the program's entry; only read afterwards.
#pragma once

class NiObject;

// Makes a new default object of one class, or returns null when memory runs out.
typedef NiObject* (*CreateFunction)();

// A fixed-size hash map from class name to create function: 37 buckets, each a chain with the
// newest entry first. Keys are the callers' pointers, neither copied nor freed: they must
// outlive the registry (string literals do).
class CreateFunctionRegistry {
public:
    static const unsigned BUCKET_COUNT = 37;

    CreateFunctionRegistry();
    ~CreateFunctionRegistry();

    // Inserts the entry, or replaces key and function of the entry with an equal name.
    // Returns false when memory for a new entry runs out (nothing changes then).
    bool Insert(const char* name, CreateFunction function);
    // True and the function when `name` is registered (byte-wise, case-sensitive).
    bool Find(const char* name, CreateFunction& function) const;
    unsigned GetCount() const { return count; }

    // h = h * 33 + c over the name's bytes taken as signed 8-bit values, modulo 2^32.
    static unsigned Hash(const char* name);
    static unsigned BucketOf(const char* name) { return Hash(name) % BUCKET_COUNT; }

    // Calls visit(key, function) for each entry of one bucket, first entry first.
    template <class Visit> void ForEachInBucket(unsigned bucket, Visit visit) const {
        for (const Entry* e = bucket < BUCKET_COUNT ? buckets[bucket] : nullptr; e; e = e->next)
            visit(e->key, e->function);
    }

private:
    struct Entry {
        const char* key;
        CreateFunction function;
        Entry* next;
    };
    Entry* buckets[BUCKET_COUNT];
    unsigned count = 0;

    CreateFunctionRegistry(const CreateFunctionRegistry&) = delete;
    CreateFunctionRegistry& operator=(const CreateFunctionRegistry&) = delete;
};

// The process's registry. The first registration creates it, whichever static initialiser
// runs first; DestroyCreateFunctionRegistry (run at exit) frees it.

// Registers `name` (a string with static lifetime) or replaces its function. Always returns
// false; its result goes into a flag that nothing reads.
bool RegisterCreateFunction(const char* name, CreateFunction function);
// True and the function when `name` is registered; false for any other name, before the
// first registration and after the registry is destroyed.
bool FindCreateFunction(const char* name, CreateFunction& function);
// A number that changes with every registration and with the registry's destruction, so that
// a remembered look-up can tell whether it still holds.
unsigned GetCreateFunctionRevision();
// The number of registered names (0 when there is no registry).
unsigned GetCreateFunctionCount();
// The registry itself, for inspection; null before the first registration and after exit.
const CreateFunctionRegistry* GetCreateFunctionRegistry();
// Frees the registry; later lookups find nothing.
void DestroyCreateFunctionRegistry();
