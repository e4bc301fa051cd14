// What the INI reader and writer ask the file system before they create a file.
#pragma once

#include <string>

#include "Platform/Win32.h"

namespace IniFileSystem {

// True only when the system says that nothing is at `path` (file or folder not found). Any
// other answer, including a failure to ask, counts as "something may be there", so that a
// create-always open never empties a file that was merely unreadable.
inline bool SurelyMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace IniFileSystem
