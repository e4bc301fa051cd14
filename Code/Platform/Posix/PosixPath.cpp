#include "Platform/Posix/PosixPath.h"

#include <dirent.h>
#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <vector>

namespace Platform {

namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// The entry of `folder` equal to `name` but for letter case; the smallest such name in byte
// order, so that a folder holding both "DATA" and "Data" always gives the same answer.
bool FindFoldedEntry(const std::string& folder, const std::string& name, std::string* found,
                     bool* denied) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        if (errno == EACCES)
            *denied = true;
        return false;
    }
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (EqualsIgnoreCase(candidate, name) && (!any || candidate < *found)) {
            *found = candidate;
            any = true;
        }
    }
    closedir(dir);
    return any;
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Tells whether `path` exists; notes a refused search of a folder on the way.
bool Exists(const std::string& path, bool* denied) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0)
        return true;
    if (errno == EACCES)
        *denied = true;
    return false;
}

bool ValidateName(const std::string& path) {
    for (char c : path) {
        if (IsForbiddenNameChar(c, false)) {
            SetLastError(ERROR_INVALID_NAME);
            return false;
        }
    }
    return true;
}

// Walks the components one by one, matching letter case against each folder's entries.
void Walk(const std::string& path, ResolvedPath* out) {
    const std::vector<std::string> parts = SplitComponents(path);
    std::string current = path[0] == '/' ? "/" : "";
    out->parentExists = true;
    for (size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        std::string next = Join(current, parts[i]);
        if (parts[i] != "." && parts[i] != ".." && !Exists(next, &out->denied)) {
            std::string found;
            if (FindFoldedEntry(current, parts[i], &found, &out->denied))
                next = Join(current, found);
            else
                out->parentExists = out->parentExists && last;
        }
        if (!last && out->parentExists && !IsFolder(next))
            out->parentExists = false;
        current = next;
    }
    if (path.back() == '/' && current.back() != '/')
        current += '/';
    out->path = current;
    out->exists = out->parentExists && Exists(current, &out->denied);
}

} // namespace

bool IsForbiddenNameChar(char c, bool wildcards) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 32)
        return true;
    if (c == '*' || c == '?')
        return !wildcards;
    return c == '<' || c == '>' || c == '|' || c == '"' || c == ':';
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

bool ResolvePath(const char* name, ResolvedPath* out) {
    *out = ResolvedPath();
    if (name == nullptr || name[0] == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    if (strlen(name) >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    std::string path = name;
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    if (!ValidateName(path))
        return false;
    bool denied = false;
    if (Exists(path, &denied)) {
        out->path = path;
        out->exists = out->parentExists = true;
        return true;
    }
    Walk(path, out);
    return true;
}

DWORD MissingPathError(const ResolvedPath& resolved) {
    if (resolved.denied)
        return ERROR_ACCESS_DENIED;
    return resolved.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

} // namespace Platform
