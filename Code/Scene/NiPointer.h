// A smart pointer that holds one reference on a scene object.
#pragma once

#include <utility>

template <class T> class NiPointer {
public:
    NiPointer() = default;
    NiPointer(T* object) : object(object) { Acquire(); }
    NiPointer(const NiPointer& other) : object(other.object) { Acquire(); }
    NiPointer(NiPointer&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    ~NiPointer() { Release(); }

    NiPointer& operator=(NiPointer other) noexcept {
        std::swap(object, other.object);
        return *this;
    }

    T* Get() const { return object; }
    T* operator->() const { return object; }
    T& operator*() const { return *object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;

    void Acquire() {
        if (object)
            object->IncRefCount();
    }
    void Release() {
        if (object)
            object->DecRefCount();
    }
};
