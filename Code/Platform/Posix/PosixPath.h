// Windows path names on a POSIX file system: backslashes and letter case.
#pragma once

#include "Platform/Win32.h"

#include <string>

namespace Platform {

// Where a Windows path leads on this file system.
struct ResolvedPath {
    std::string path;          // POSIX path to hand to the system
    bool exists = false;       // the whole path names an existing entry
    bool parentExists = false; // every folder on the way exists, so the last entry can be made
    bool denied = false;       // a folder on the way could not be searched
};

// Translates a Windows path: backslashes become slashes, and each component whose exact
// letter case does not exist is matched case-insensitively (ASCII only) against its folder,
// as Windows would find it. A missing last component is kept as written, so `path` is also
// the name to create. Returns false with the last error set for a name Windows refuses:
// null or empty (ERROR_PATH_NOT_FOUND), a character such as * ? < > | " : or a control
// character (ERROR_INVALID_NAME), MAX_PATH characters or more (ERROR_FILENAME_EXCED_RANGE).
bool ResolvePath(const char* name, ResolvedPath* out);

// The error Windows gives for a path that is not there: ERROR_FILE_NOT_FOUND when only the
// last component is missing, ERROR_PATH_NOT_FOUND when a folder on the way is missing,
// ERROR_ACCESS_DENIED when a folder could not be searched.
DWORD MissingPathError(const ResolvedPath& resolved);

// True for a character that a file name may never hold; `wildcards` lets * and ? through.
bool IsForbiddenNameChar(char c, bool wildcards);

// True when `a` and `b` are equal after folding ASCII letters to one case.
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

} // namespace Platform
