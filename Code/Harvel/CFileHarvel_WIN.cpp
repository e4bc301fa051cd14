#include "Harvel/CFileHarvel_WIN.h"

#include "Harvel/CFileHarvel.h"

namespace {

const DWORD kReadOnlyBit = FILE_ATTRIBUTE_READONLY;
const DWORD kDirectoryBit = FILE_ATTRIBUTE_DIRECTORY;

} // namespace

int FileGetAttribute(const std::string& path, int which, DWORD* value) {
    DWORD current = GetFileAttributesA(path.c_str());
    if (current == INVALID_FILE_ATTRIBUTES)
        return 0;
    DWORD bit;
    if (which == FILE_ATTR_READONLY)
        bit = kReadOnlyBit;
    else if (which == FILE_ATTR_DIRECTORY)
        bit = kDirectoryBit;
    else
        return 0;
    if (value != nullptr)
        *value = (current & bit) ? 1 : 0;
    return 1;
}

int FileSetAttributes(const std::string& path, int which, int set) {
    DWORD current = GetFileAttributesA(path.c_str());
    if (current == INVALID_FILE_ATTRIBUTES)
        return 0;
    if (!(which & (FILE_ATTR_READONLY | FILE_ATTR_DIRECTORY)))
        return 0;
    DWORD bits = 0;
    if (which & FILE_ATTR_READONLY)
        bits |= kReadOnlyBit;
    if (which & FILE_ATTR_DIRECTORY)
        bits |= kDirectoryBit;
    DWORD wanted = set ? (current | bits) : (current & ~bits);
    if (wanted == current)
        return 1;
    return SetFileAttributesA(path.c_str(), wanted) ? 1 : 0;
}

int FileExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return 1;
}

int FileDelete(const std::string& path) {
    if (DeleteFileA(path.c_str()))
        return 1;
    ReportFileError(nullptr, FILE_ERROR_DELETE, __FILE__, __LINE__);
    return 0;
}
