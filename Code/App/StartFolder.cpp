#include "App/StartFolder.h"

#include <string>

#include "App/LogFile.h"
#include "Platform/Win32.h"

namespace {

const wchar_t kLocalization[] = L"DATA\\INI\\LocalizedStrings.ini";
const int kInfo = 18;

bool IsFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The folder of the running program with its trailing backslash; empty when unknown. Wide, so
// that folder names outside the code page work.
std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return L"";
        // Windows XP fills the whole buffer, without NUL, when the name is cut.
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768)
            return L"";
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
}

// The log and the debug output take the system's code page, as the system's own texts do.
std::string SystemText(const std::wstring& wide) {
    int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], size, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

} // namespace

bool MoveToProgramFolder() {
    if (IsFile(kLocalization))
        return false;
    std::wstring folder = ProgramFolder();
    if (folder.empty() || !IsFile(folder + kLocalization) || !SetCurrentDirectoryW(folder.c_str()))
        return false;
    // Nothing opens the log in this program; the debug output, like the start-up marks, shows
    // the change to a debugger.
    std::string mark = "working in the program's folder " + SystemText(folder);
    OutputDebugStringA(mark.c_str());
    TheLog.SetSource(__LINE__, "Code\\App\\StartFolder.cpp").Write(mark, kInfo);
    return true;
}
