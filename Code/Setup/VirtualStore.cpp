#include "Setup/VirtualStore.h"

#include "Platform/Win32.h"

namespace {

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

std::wstring Upper(std::wstring text) {
    if (!text.empty())
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

} // namespace

std::wstring VirtualStorePath(const std::wstring& localAppData, const std::wstring& fullPath) {
    const bool drive = fullPath.size() > 3 && IsDriveLetter(fullPath[0]) && fullPath[1] == L':' &&
                       fullPath[2] == L'\\';
    if (localAppData.empty() || !drive)
        return std::wstring();
    const bool separated = localAppData.back() == L'\\' || localAppData.back() == L'/';
    return localAppData + (separated ? L"" : L"\\") + L"VirtualStore\\" + fullPath.substr(3);
}

bool IsUnderFolder(const std::wstring& path, const std::wstring& folder) {
    std::wstring root = folder;
    while (!root.empty() && root.back() == L'\\')
        root.pop_back();
    if (root.empty() || path.size() < root.size())
        return false;
    // "C:\Program Files" holds "C:\Program Files\X", not "C:\Program Files (x86)\X".
    if (path.size() > root.size() && path[root.size()] != L'\\')
        return false;
    return Upper(path.substr(0, root.size())) == Upper(root);
}

std::string NarrowPath(const std::wstring& path, unsigned codePage) {
    if (path.empty())
        return std::string();
    const int size = static_cast<int>(path.size());
    // UTF-8 holds every character, and Windows refuses a replacement for it.
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    const int length =
        WideCharToMultiByte(codePage, 0, path.data(), size, nullptr, 0, fallback, nullptr);
    std::string text(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, 0, path.data(), size, &text[0], length, fallback, nullptr);
    return text;
}
