// The objects behind the HANDLE values of the POSIX layer, and their registry.
#pragma once

#include "Platform/Win32.h"

namespace Platform {

enum class HandleKind { File, Search };

// One open file or one search. A HANDLE is the address of such an object; only addresses
// in the registry are ever dereferenced, so a stale or made-up handle fails cleanly.
struct HandleObject {
    HandleKind kind;
    int fd = -1; // File: the open descriptor
    bool canRead = false;
    bool canWrite = false;
};

// Registers a new object and returns its handle; the registry owns it until released.
HANDLE RegisterHandle(HandleObject* object);

// The object of `handle` when it is registered with `kind`; otherwise null with the last
// error set to ERROR_INVALID_HANDLE.
HandleObject* LookupHandle(HANDLE handle, HandleKind kind);

// Removes `handle` from the registry and returns its object, which the caller then deletes;
// null with ERROR_INVALID_HANDLE when it is not registered with `kind`.
HandleObject* ReleaseHandle(HANDLE handle, HandleKind kind);

} // namespace Platform
