#include "Setup/SettingsStore.h"

#include "Ini/CIniFile.h"
#include "Platform/Win32.h"
#include "Setup/VirtualStore.h"

namespace {

// The error of opening `path` for writing without changing it; a missing file is made and
// removed again.
DWORD WriteOpenError(const std::string& path, bool exists) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, exists ? share : 0, nullptr,
                              exists ? OPEN_EXISTING : CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError();
    CloseHandle(file);
    if (!exists)
        DeleteFileA(path.c_str());
    return ERROR_SUCCESS;
}

bool SaveCopy(CIniFile& document, const std::wstring& copy, bool create) {
    return InFolderOf(copy, create,
                      [&document](const std::string& name) { return document.Save(name); });
}

} // namespace

std::wstring FindVirtualStoreCopy(const std::string& path) {
    // Elsewhere Windows redirects nothing: a copy there is never read.
    if (!IsVirtualizedLocation(path))
        return std::wstring();
    const std::wstring copy = VirtualStoreCopyPath(path);
    return WideFileExists(copy) ? copy : std::wstring();
}

bool ReadAsTheGame(const std::string& path, const std::function<bool(const std::string&)>& read) {
    const std::wstring copy = FindVirtualStoreCopy(path);
    return copy.empty() ? read(path) : InFolderOf(copy, false, read);
}

bool WritingRefused(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    return WriteOpenError(path, attributes != INVALID_FILE_ATTRIBUTES) == ERROR_ACCESS_DENIED;
}

SettingsSaveOutcome SaveAsTheGameReads(CIniFile& document, const std::string& path) {
    std::wstring copy = FindVirtualStoreCopy(path);
    if (!copy.empty()) {
        if (!SaveCopy(document, copy, false))
            return {SettingsSaveOutcome::Failed, copy};
        if (WritingRefused(path))
            return {SettingsSaveOutcome::CopyOnly, copy};
        return {document.Save(path) ? SettingsSaveOutcome::Both : SettingsSaveOutcome::RealFailed,
                copy};
    }
    // Elsewhere nothing is virtualized and the game reads the file itself: it must be written.
    if (IsVirtualizedLocation(path) && WritingRefused(path))
        copy = VirtualStoreCopyPath(path);
    if (copy.empty())
        return {document.Save(path) ? SettingsSaveOutcome::Real : SettingsSaveOutcome::Failed,
                copy};
    return {SaveCopy(document, copy, true) ? SettingsSaveOutcome::CopyMade
                                           : SettingsSaveOutcome::Failed,
            copy};
}

std::string DescribeSave(const SettingsSaveOutcome& outcome, const std::string& path,
                         unsigned codePage) {
    const std::string copy =
        "the copy the game reads for this user, " + NarrowPath(outcome.copy, codePage);
    switch (outcome.kind) {
    case SettingsSaveOutcome::Both:
        return "wrote " + copy + ", and " + path;
    case SettingsSaveOutcome::CopyOnly:
        return "wrote " + copy + "; " + path + " may not be written by this user and is unchanged";
    case SettingsSaveOutcome::CopyMade:
        return path + " may not be written by this user: made and wrote " + copy + "; " + path +
               " is unchanged";
    case SettingsSaveOutcome::RealFailed:
        return "wrote " + copy + ", but not " + path;
    case SettingsSaveOutcome::Real:
    case SettingsSaveOutcome::Failed:
        break;
    }
    return std::string();
}
