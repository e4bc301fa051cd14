#include "Cli/WorkingFolder.h"

#include <windows.h>

#include <vector>

#include "Cli/ConsoleText.h"

namespace {

// `text` of code page `codePage` as a wide, zero-terminated name; empty when it is malformed.
std::vector<WCHAR> WideName(const std::string& text, unsigned codePage) {
    const int size =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> wide(size > 0 ? size : 0);
    if (size > 0)
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.c_str(), -1, wide.data(), size);
    return wide;
}

} // namespace

WorkingFolder::WorkingFolder(const std::string& folder, unsigned codePage) {
    std::vector<WCHAR> buffer(32768);
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size())
        return;
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, buffer.data(), length, nullptr, 0, nullptr, nullptr);
    previous.resize(size > 0 ? size : 0);
    if (size <= 0 || WideCharToMultiByte(CP_UTF8, 0, buffer.data(), length, &previous[0], size,
                                         nullptr, nullptr) != size)
        return;
    const std::vector<WCHAR> name = WideName(folder, codePage);
    entered = !name.empty() && SetCurrentDirectoryW(name.data()) != 0;
}

WorkingFolder::~WorkingFolder() {
    const std::vector<WCHAR> name = WideName(previous, kUtf8CodePage);
    if (entered && !name.empty())
        SetCurrentDirectoryW(name.data());
}
