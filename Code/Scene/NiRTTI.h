// Run-time type identification by class name: each scene class has one NiRTTI naming it and
// its base, so a loader can ask "is this an NiAVObject?" without the compiler's RTTI.
#pragma once

class NiRTTI {
public:
    // Both pointers must outlive the object (class names are string literals).
    constexpr NiRTTI(const char* name, const NiRTTI* base) : name(name), base(base) {}

    const char* GetName() const { return name; }
    const NiRTTI* GetBaseRTTI() const { return base; }

private:
    const char* name;
    const NiRTTI* base;
};

// In a class body: the class's own RTTI and its accessor.
#define NI_DECLARE_RTTI                                                                            \
public:                                                                                            \
    static const NiRTTI ms_RTTI;                                                                   \
    const NiRTTI* GetRTTI() const override {                                                       \
        return &ms_RTTI;                                                                           \
    }

// In a source file: names the class and links it to its base.
#define NI_IMPLEMENT_RTTI(classname, basename)                                                     \
    const NiRTTI classname::ms_RTTI(#classname, &basename::ms_RTTI);
