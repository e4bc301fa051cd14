// Windows' file virtualization as it touches the settings file. An old program without a
// manifest (the game), run without administrator rights, reads and writes a per-user copy in
// "%LOCALAPPDATA%\VirtualStore\" in place of a file under the program or system folders, and
// reads that copy first whenever it exists. Paths are wide, so that any folder or user name
// works; natively nothing is virtualized and there is never a copy.
#pragma once

#include <functional>
#include <string>

// Where Windows keeps the copy of the file at `fullPath` ("C:\..."), for a user whose local
// application data folder is `localAppData`: that folder, "\VirtualStore\" and the path
// without its drive. Empty when either is empty or the path has no drive letter (a network
// path, which is never redirected).
std::wstring VirtualStorePath(const std::wstring& localAppData, const std::wstring& fullPath);

// True when `path` is `folder` or lies below it: whole path components, compared without
// regard to case as the file system compares names. A trailing backslash of `folder` is
// ignored; an empty folder holds nothing.
bool IsUnderFolder(const std::wstring& path, const std::wstring& folder);

// `path` in code page `codePage`, a character it cannot hold as '?': for messages only.
std::string NarrowPath(const std::wstring& path, unsigned codePage);

// The current user's copy of the file at `path` (relative to the working folder), whether or
// not it exists; empty where there can be none (always, natively).
std::wstring VirtualStoreCopyPath(const std::string& path);

// True when the file at `path` lies where Windows virtualizes an old program's writes: under
// the program folders (%ProgramFiles%, %ProgramFiles(x86)%, %ProgramW6432%), %ProgramData%
// or the Windows folder. Always false natively.
bool IsVirtualizedLocation(const std::string& path);

// True when `path` names a file (not a folder).
bool WideFileExists(const std::wstring& path);

// Runs `action` with the folder of the file `path` as the working folder, giving it the
// file's name, and returns its result; the working folder is put back afterwards. With
// `create`, missing folders on the way are made first. False without running `action` when
// the folder cannot be reached. The program's own file functions take narrow names, which
// cannot name every folder; the file names themselves are ASCII.
bool InFolderOf(const std::wstring& path, bool create,
                const std::function<bool(const std::string& name)>& action);
