#include "Platform/Posix/PosixPath.h"

#include <dirent.h>
#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
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

// The entries of `folder` equal to `name` but for letter case, in byte order, so that a
// folder holding both "DATA" and "Data" is always searched the same way.
std::vector<std::string> FoldedEntries(const std::string& folder, const std::string& name,
                                       bool* denied) {
    std::vector<std::string> found;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        if (errno == EACCES)
            *denied = true;
        return found;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate != name && EqualsIgnoreCase(candidate, name))
            found.push_back(candidate);
    }
    closedir(dir);
    std::sort(found.begin(), found.end());
    return found;
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

struct Search {
    std::vector<std::string> parts;
    std::string found;     // the existing entry, when there is one
    std::string creatable; // the first place whose folders all exist
    bool haveCreatable = false;
    bool denied = false;
};

bool Descend(const std::string& current, size_t index, Search* search);

// Follows one spelling of component `index`; true when it leads to an existing entry.
bool Follow(const std::string& next, size_t index, Search* search) {
    if (index + 1 == search->parts.size()) {
        search->found = next;
        return true;
    }
    return IsFolder(next) && Descend(next, index + 1, search);
}

// Tries the exact spelling first, then the other letter cases, backtracking when a branch
// dead-ends: two folders "DATA" and "Data" may each hold part of what is looked for.
bool Descend(const std::string& current, size_t index, Search* search) {
    const std::string& part = search->parts[index];
    if (index + 1 == search->parts.size() && !search->haveCreatable) {
        search->creatable = Join(current, part);
        search->haveCreatable = true;
    }
    const std::string exact = Join(current, part);
    if (Exists(exact, &search->denied) && Follow(exact, index, search))
        return true;
    if (part == "." || part == "..")
        return false;
    for (const std::string& name : FoldedEntries(current, part, &search->denied)) {
        if (Follow(Join(current, name), index, search))
            return true;
    }
    return false;
}

void Walk(const std::string& path, ResolvedPath* out) {
    Search search;
    search.parts = SplitComponents(path);
    const std::string root = path[0] == '/' ? "/" : "";
    const bool exists = !search.parts.empty() && Descend(root, 0, &search);
    out->denied = search.denied;
    if (exists) {
        out->path = search.found;
        out->exists = out->parentExists = true;
    } else if (search.haveCreatable) {
        out->path = search.creatable;
        out->parentExists = true;
    } else {
        out->path = path;
        return;
    }
    if (path.back() == '/')
        out->path += '/';
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
