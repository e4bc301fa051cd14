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

// The files a save of `target` makes beside it, "<target>.<n>.tmp" for the new text while it is
// written and "<target>.<n>.bak" for the old file while the new one takes its place, with n from
// 1 to kSaveNames. A save takes the first n for which neither exists.
const int kSaveNames = 100;
std::string SaveFileName(const std::string& target, int n, bool backup);

// Removes the files of those names that saves which did not finish left and that nothing holds:
// a backup whose temporary is gone (its replace was done), and a temporary last written more
// than a minute before the target was, with its backup. A save still running writes and places
// its temporary within seconds, and natively nothing else tells that another process still
// writes one. Files that refuse deletion (held without delete sharing, read-only) and folders
// stay. Call only when the target holds a whole text. Returns how many files went.
int RemoveLeftovers(const std::string& target);

} // namespace IniFileSystem
