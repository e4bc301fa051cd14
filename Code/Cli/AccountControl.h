// What Windows' account control means for the tool: the advice for a game folder that only
// administrators may write, and the redirected copy of the settings file that programs without
// administrator rights see in its place.
#pragma once

#include <string>

// What to do when the settings file could not be written for lack of rights.
extern const char* const kAdministratorAdvice;

// Where Windows keeps the redirected copy of the file at `fullPath` ("C:\..."), for a user
// whose local application data folder is `localAppData`: that folder, "\VirtualStore\" and the
// path without its drive. Empty when either is empty or the path has no drive letter (a
// network path, which is never redirected).
std::string VirtualStorePath(const std::string& localAppData, const std::string& fullPath);

// The redirected copy of the file at `path` (relative to the working folder) when the current
// user has one; else empty. Always empty outside Windows.
std::string FindVirtualStoreCopy(const std::string& path);

// What `check` reports about the copy `copy` that shadows the settings file.
std::string ShadowingCopyNote(const std::string& copy);
