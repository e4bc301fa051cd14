// What the file-system calls of the POSIX layer share.
#pragma once

#include <sys/stat.h>

#include "Platform/Win32.h"

namespace Platform {

// The Windows attributes of an entry: FILE_ATTRIBUTE_DIRECTORY for a folder; for a file
// FILE_ATTRIBUTE_ARCHIVE, plus FILE_ATTRIBUTE_READONLY when no one may write it.
DWORD AttributesFromMode(mode_t mode);

// Removes every write bit (`readOnly`) or gives the owner write permission back.
int ApplyReadOnly(const char* path, mode_t mode, bool readOnly);

} // namespace Platform
