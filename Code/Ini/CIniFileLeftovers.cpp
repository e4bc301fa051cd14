// The files of a save's own naming beside its target, and their removal once no save needs them.
#include "Ini/CIniFileSystem.h"

namespace {

// A minute in FILETIME ticks of 100 ns.
const unsigned long long kStaleTicks = 60ull * 10000000ull;

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// What the folder says of the entry at `path`; false when nothing is there.
bool Find(const std::string& path, WIN32_FIND_DATAA* data) {
    HANDLE search = FindFirstFileA(path.c_str(), data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

} // namespace

namespace IniFileSystem {

std::string SaveFileName(const std::string& target, int n, bool backup) {
    return target + "." + std::to_string(n) + (backup ? ".bak" : ".tmp");
}

int RemoveLeftovers(const std::string& target) {
    WIN32_FIND_DATAA saved, found;
    if (!Find(target, &saved))
        return 0;
    int removed = 0;
    for (int n = 1; n <= kSaveNames; ++n) {
        const std::string temporary = SaveFileName(target, n, false);
        if (Find(temporary, &found)) {
            const bool stale =
                (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                Ticks(found.ftLastWriteTime) + kStaleTicks < Ticks(saved.ftLastWriteTime);
            if (!stale || !DeleteFileA(temporary.c_str()))
                continue; // a save may still need its backup
            ++removed;
        }
        // A folder refuses this as it should.
        if (DeleteFileA(SaveFileName(target, n, true).c_str()))
            ++removed;
    }
    return removed;
}

} // namespace IniFileSystem
