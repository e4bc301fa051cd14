// The objects behind the HANDLE values of the POSIX layer, and their registry.
#pragma once

#include <sys/types.h>

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
    DWORD share = 0;  // File: what the handle lets other opens do (FILE_SHARE_*)
    dev_t device = 0; // File: the entry it holds, whatever it is renamed to
    ino_t inode = 0;
};

// Registers a new object and returns its handle; the registry owns it until released.
HANDLE RegisterHandle(HandleObject* object);

// The object of `handle` when it is registered with `kind`; otherwise null with the last
// error set to ERROR_INVALID_HANDLE.
HandleObject* LookupHandle(HANDLE handle, HandleKind kind);

// Removes `handle` from the registry and returns its object, which the caller then deletes;
// null with ERROR_INVALID_HANDLE when it is not registered with `kind`.
HandleObject* ReleaseHandle(HANDLE handle, HandleKind kind);

// ERROR_SHARING_VIOLATION when an open file handle on the entry (`device`, `inode`) does not
// share what a new open asks (`read`, `write`) or uses what the new open will not share
// (`share`); ERROR_SUCCESS otherwise.
DWORD SharingConflict(dev_t device, ino_t inode, bool read, bool write, DWORD share);

// True when an open file handle on the entry does not share deletion (renaming it away or
// replacing it included).
bool HeldAgainstDeletion(dev_t device, ino_t inode);

} // namespace Platform
