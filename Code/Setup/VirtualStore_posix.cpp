// Natively nothing is virtualized: the game reads the file itself.
#include "Setup/VirtualStore.h"

std::wstring VirtualStoreCopyPath(const std::string&) {
    return std::wstring();
}

bool IsVirtualizedLocation(const std::string&) {
    return false;
}

bool WideFileExists(const std::wstring&) {
    return false;
}

bool InFolderOf(const std::wstring&, bool, const std::function<bool(const std::string&)>&) {
    return false;
}
