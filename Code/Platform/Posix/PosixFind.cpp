// FindFirstFileA and FindClose: one path, or a pattern in its last component.
#include <dirent.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "Platform/Posix/PosixFileSystem.h"
#include "Platform/Posix/PosixHandles.h"
#include "Platform/Posix/PosixPath.h"

using namespace Platform;

namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Windows file-name matching: * any run, ? one character, ASCII case ignored; a pattern
// ending in ".*" also takes names without any dot ("*.*" is everything).
bool MatchesPattern(const char* pattern, const char* name) {
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || (*pattern != '\0' && FoldCase(*pattern) == FoldCase(*name))) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0' || strcmp(pattern, ".*") == 0;
}

bool HasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

void FillFindData(const std::string& path, const std::string& name, const struct stat& st,
                  LPWIN32_FIND_DATAA data) {
    memset(data, 0, sizeof(*data));
    data->dwFileAttributes = AttributesOf(path, st.st_mode);
    const unsigned long long size =
        S_ISDIR(st.st_mode) ? 0 : static_cast<unsigned long long>(st.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
    data->ftLastWriteTime = FileTimeOf(st.st_mtim);
    data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime;
    const size_t length = name.size() < MAX_PATH - 1 ? name.size() : MAX_PATH - 1;
    memcpy(data->cFileName, name.data(), length);
}

// The first entry of `folder` that `pattern` matches, in byte order of the names.
bool FirstMatch(const std::string& folder, const std::string& pattern, std::string* found) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (MatchesPattern(pattern.c_str(), name.c_str()) && (!any || name < *found)) {
            *found = name;
            any = true;
        }
    }
    closedir(dir);
    return any;
}

// Splits "folder\pattern" and resolves the folder; false with the last error set.
bool ResolveSearch(const std::string& text, std::string* folder, std::string* pattern) {
    const size_t slash = text.find_last_of("/\\");
    *pattern = slash == std::string::npos ? text : text.substr(slash + 1);
    for (char c : *pattern) {
        if (IsForbiddenNameChar(c, true)) {
            SetLastError(ERROR_INVALID_NAME);
            return false;
        }
    }
    if (slash == std::string::npos) {
        *folder = ".";
        return true;
    }
    const std::string folderName = slash == 0 ? text.substr(0, 1) : text.substr(0, slash);
    ResolvedPath resolved;
    if (!ResolvePath(folderName.c_str(), &resolved))
        return false;
    struct stat st;
    if (!resolved.exists || stat(resolved.path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(resolved.denied ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
        return false;
    }
    *folder = resolved.path;
    return true;
}

HANDLE Found(const std::string& folder, const std::string& name, LPWIN32_FIND_DATAA data) {
    const std::string path = folder + "/" + name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    FillFindData(path, name, st, data);
    return RegisterHandle(new HandleObject{HandleKind::Search});
}

// A plain path: the entry itself, folders included, under its stored letter case.
HANDLE FindOne(const std::string& text, LPWIN32_FIND_DATAA data) {
    ResolvedPath resolved;
    if (!ResolvePath(text.c_str(), &resolved))
        return INVALID_HANDLE_VALUE;
    if (!resolved.exists) {
        SetLastError(MissingPathError(resolved));
        return INVALID_HANDLE_VALUE;
    }
    const size_t slash = resolved.path.find_last_of('/');
    if (slash == std::string::npos)
        return Found(".", resolved.path, data);
    return Found(resolved.path.substr(0, slash == 0 ? 1 : slash), resolved.path.substr(slash + 1),
                 data);
}

} // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
    if (pattern == nullptr || data == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::string text = pattern;
    if (text.empty() || text.size() >= MAX_PATH) {
        SetLastError(text.empty() ? ERROR_PATH_NOT_FOUND : ERROR_FILENAME_EXCED_RANGE);
        return INVALID_HANDLE_VALUE;
    }
    // "Folder\" names no entry: Windows finds nothing for a trailing separator.
    const char end = text.back();
    if (end == '\\' || end == '/') {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const size_t slash = text.find_last_of("/\\");
    if (!HasWildcard(slash == std::string::npos ? text : text.substr(slash + 1)))
        return FindOne(text, data);
    std::string folder;
    std::string last;
    if (!ResolveSearch(text, &folder, &last))
        return INVALID_HANDLE_VALUE;
    std::string name;
    if (!FirstMatch(folder, last, &name)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return Found(folder, name, data);
}

BOOL FindClose(HANDLE search) {
    HandleObject* object = ReleaseHandle(search, HandleKind::Search);
    if (object == nullptr)
        return FALSE;
    delete object;
    return TRUE;
}
