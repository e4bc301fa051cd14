#include "Setup/VirtualStore.h"

#include <vector>

#include "Platform/Win32.h"

namespace {

// The text a call of the form f(buffer, size) gives; empty when it fails.
template <typename Call> std::wstring Fetched(Call call) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

std::wstring Environment(const wchar_t* name) {
    return Fetched([name](wchar_t* buffer, DWORD size) {
        return GetEnvironmentVariableW(name, buffer, size);
    });
}

// `path` with every component in its long form (the store keeps long names; a folder reached
// through its short name is written out). A file that does not exist yet keeps its name
// after its folder's long form.
std::wstring LongPath(const std::wstring& path) {
    std::wstring found = Fetched([&path](wchar_t* buffer, DWORD size) {
        return GetLongPathNameW(path.c_str(), buffer, size);
    });
    if (!found.empty())
        return found;
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash < 3)
        return path;
    const std::wstring folder = Fetched([&path, slash](wchar_t* buffer, DWORD size) {
        return GetLongPathNameW(path.substr(0, slash).c_str(), buffer, size);
    });
    return folder.empty() ? path : folder + path.substr(slash);
}

// The full long path of `path`, a narrow name in the system's code page.
std::wstring FullLongPath(const std::string& path) {
    const int size = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], size);
    const std::wstring full = Fetched([&wide](wchar_t* buffer, DWORD length) {
        return GetFullPathNameW(wide.c_str(), length, buffer, nullptr);
    });
    return full.empty() ? full : LongPath(full);
}

// Makes every missing folder of `folder` ("X:\a\b"), from the drive down.
bool MakeFolders(const std::wstring& folder) {
    for (size_t at = folder.find(L'\\', 3);; at = folder.find(L'\\', at + 1)) {
        const std::wstring part = folder.substr(0, at);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (at == std::wstring::npos)
            return true;
    }
}

} // namespace

std::wstring VirtualStoreCopyPath(const std::string& path) {
    return VirtualStorePath(Environment(L"LOCALAPPDATA"), FullLongPath(path));
}

bool IsVirtualizedLocation(const std::string& path) {
    const std::wstring full = FullLongPath(path);
    std::vector<std::wstring> roots;
    for (const wchar_t* name :
         {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432", L"ProgramData"})
        roots.push_back(Environment(name));
    roots.push_back(
        Fetched([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }));
    for (const std::wstring& root : roots)
        if (!root.empty() && (IsUnderFolder(full, root) || IsUnderFolder(full, LongPath(root))))
            return true;
    return false;
}

bool WideFileExists(const std::wstring& path) {
    const DWORD attributes =
        path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool InFolderOf(const std::wstring& path, bool create,
                const std::function<bool(const std::string& name)>& action) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash < 3)
        return false;
    const std::wstring folder = path.substr(0, slash);
    const std::wstring here =
        Fetched([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
    if (here.empty() || (create && !MakeFolders(folder)) || !SetCurrentDirectoryW(folder.c_str()))
        return false;
    const bool done = action(NarrowPath(path.substr(slash + 1), CP_ACP));
    SetCurrentDirectoryW(here.c_str());
    return done;
}
