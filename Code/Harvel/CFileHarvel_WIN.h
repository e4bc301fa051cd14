// File-system functions of the file layer: attributes, existence and deletion.
#pragma once

#include <string>

#include "Platform/Win32.h"

// Values of `which` for the attribute functions.
enum : int {
    FILE_ATTR_READONLY = 1,
    FILE_ATTR_DIRECTORY = 2,
};

// 1 with *value = 0 or 1 when `path` exists and `which` is 1 (read-only) or 2 (directory);
// 0 when the path does not exist or `which` is another value (*value is then untouched).
int FileGetAttribute(const std::string& path, int which, DWORD* value);

// Sets (`set` nonzero) or clears the attributes named by the bits of `which`. 1 when nothing
// had to change, otherwise the system's result; 0 when the path does not exist or `which`
// names neither attribute.
int FileSetAttributes(const std::string& path, int which, int set);

// 1 when the path or wildcard pattern matches at least one entry, else 0.
int FileExists(const std::string& path);

// 1 when the file was deleted; 0 after the error box of code 7.
int FileDelete(const std::string& path);
