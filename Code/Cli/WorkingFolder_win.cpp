#include "Cli/WorkingFolder.h"

#include <windows.h>

#include <vector>

WorkingFolder::WorkingFolder(const std::string& folder) {
    std::vector<char> buffer(MAX_PATH * 4);
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size())
        return;
    previous.assign(buffer.data(), length);
    entered = SetCurrentDirectoryA(folder.c_str()) != 0;
}

WorkingFolder::~WorkingFolder() {
    if (entered)
        SetCurrentDirectoryA(previous.c_str());
}
