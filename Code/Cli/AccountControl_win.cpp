#include "Cli/AccountControl.h"

#include <windows.h>

#include <vector>

namespace {

// The text a call of the form f(buffer, size) gives; empty when it fails.
template <typename Call> std::string Fetched(Call call) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

} // namespace

const char* const kAdministratorAdvice =
    "Windows lets only administrators write in this game folder: open a command prompt with "
    "\"Run as administrator\" (right-click Command Prompt in the Start menu), go to the game "
    "folder and run the command there again";

std::string FindVirtualStoreCopy(const std::string& path) {
    const std::string localAppData = Fetched([](char* buffer, DWORD size) {
        return GetEnvironmentVariableA("LOCALAPPDATA", buffer, size);
    });
    const std::string full = Fetched([&path](char* buffer, DWORD size) {
        return GetFullPathNameA(path.c_str(), size, buffer, nullptr);
    });
    // The store keeps the long names; a folder reached through its short name is written out.
    const std::string longFull = Fetched(
        [&full](char* buffer, DWORD size) { return GetLongPathNameA(full.c_str(), buffer, size); });
    const std::string copy = VirtualStorePath(localAppData, longFull.empty() ? full : longFull);
    const DWORD attributes =
        copy.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(copy.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
               ? copy
               : std::string();
}
