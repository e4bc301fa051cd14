// What the file-system calls of the POSIX layer share.
#pragma once

#include <sys/stat.h>

#include <string>

#include "Platform/Win32.h"

namespace Platform {

// The Windows attributes of an entry: FILE_ATTRIBUTE_DIRECTORY for a folder; for a file
// FILE_ATTRIBUTE_ARCHIVE, plus FILE_ATTRIBUTE_READONLY when no one may write it.
DWORD AttributesFromMode(mode_t mode);

// The hidden and system attributes, which POSIX lacks, are kept in an extended attribute of
// the entry, so that they follow it through renames and go with it.
constexpr DWORD kStoredAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The stored hidden and system attributes of the entry at the POSIX `path`; 0 when none.
DWORD StoredAttributes(const std::string& path);

// Likewise for the entry open as `fd`.
DWORD StoredAttributes(int fd);

// Stores the hidden and system bits of `attributes` for the entry (none removes the record).
// False with the last error set when the file system cannot keep them.
bool StoreAttributes(const std::string& path, DWORD attributes);

// AttributesFromMode plus the stored attributes.
DWORD AttributesOf(const std::string& path, mode_t mode);

// A POSIX time as a Windows one: 100 ns ticks since 1601.
FILETIME FileTimeOf(const struct timespec& when);

// Removes every write bit (`readOnly`) or gives the owner write permission back.
int ApplyReadOnly(const char* path, mode_t mode, bool readOnly);

} // namespace Platform
