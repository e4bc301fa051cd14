// The written form of a document, and a save that replaces the previous file only once the
// new text is wholly on disk.
#include "Ini/CIniFile.h"

#include <algorithm>

#include "Harvel/CFileHarvel_WIN.h"
#include "Ini/CIniFileSystem.h"

namespace {

// Writes go out in pieces of this size, so no single call exceeds what a DWORD counts.
const DWORD kWriteChunk = 1u << 20;
// Temporary names tried beside the target before giving up.
const int kTemporaryNames = 100;
// How often, and how far apart, the replace of the target is tried.
const int kReplaceTries = 10;
const DWORD kReplacePauseMs = 100;

void AppendNode(const CIniFile& node, size_t depth, const std::string& prefix, std::string& out) {
    const auto& keys = node.Keys();
    if (!keys.empty()) {
        size_t width = 0;
        for (const auto& pair : keys)
            width = std::max(width, pair.first.size());
        out += "\r\n";
        for (const auto& pair : keys) {
            out.append(depth, '\t');
            out += pair.first;
            out.append(width - pair.first.size(), ' ');
            out += " = \"";
            out += pair.second;
            out += "\"\r\n";
        }
    }

    const std::string& name = node.GetSectionName();
    std::string childPrefix;
    if (!prefix.empty())
        childPrefix = prefix + name + "/";
    else if (!name.empty())
        childPrefix = name + "/";
    for (const auto& entry : node.Sections()) {
        const CIniFile& child = *entry.second;
        out += "\r\n";
        out.append(depth, '\t');
        out += '[';
        out += childPrefix;
        out += child.GetSectionName();
        out += "]\r\n";
        AppendNode(child, depth + 1, childPrefix, out);
    }
}

bool WriteAll(CTextFile& file, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        DWORD count = static_cast<DWORD>(std::min<size_t>(text.size() - done, kWriteChunk));
        if (!file.Write(text.data() + done, count, nullptr, true))
            return false;
        done += count;
    }
    return true;
}

// The file object of the new text. It writes the temporary file that it creates, but every
// box it shows names the target, the file the player knows.
class TemporaryFile : public CTextFile {
public:
    explicit TemporaryFile(const std::string& target)
        : CTextFile(FileOpenDesc(target, FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS)) {}

    // Creates `path` as a new file with normal attributes, shared with no one, so that nothing
    // else writes or removes it meanwhile. ERROR_SUCCESS, or the system's error.
    DWORD Create(const std::string& path) {
        handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
};

// Shows the file object's box for `target` with the system's text of `error`, under the table
// text that fits the cause: a missing path, a refused access, or else a failed write.
void ReportSaveFailure(const std::string& target, DWORD error) {
    int code = FILE_ERROR_WRITE;
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        code = FILE_ERROR_OPEN;
    else if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
        code = FILE_ERROR_READWRITE;
    CFileHarvel named(FileOpenDesc(target, FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS));
    SetLastError(error);
    ReportFileError(&named, code, __FILE__, __LINE__);
}

// Creates a temporary file beside `target` under the first free name "<target>.<n>.tmp".
// A leftover of an earlier save (read-only, hidden, a folder, held open by another program)
// is never reused, only passed by. The name, or empty after the box naming the target.
std::string CreateTemporary(TemporaryFile& file, const std::string& target) {
    DWORD error = ERROR_FILE_EXISTS;
    for (int n = 1; n <= kTemporaryNames; ++n) {
        const std::string path = target + "." + std::to_string(n) + ".tmp";
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        error = file.Create(path);
        if (error == ERROR_SUCCESS)
            return path;
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break; // not a name taken meanwhile
    }
    ReportSaveFailure(target, error);
    return std::string();
}

// Writes all of `text`, flushes it once and closes the file; false after the file object's
// box for the first failure.
bool WriteFlushed(TemporaryFile& file, const std::string& text) {
    bool ok = WriteAll(file, text);
    if (ok && !FlushFileBuffers(file.GetHandle())) {
        ReportFileError(&file, FILE_ERROR_WRITE, __FILE__, __LINE__);
        ok = false;
    }
    const bool closed = file.Close() != 0;
    return ok && closed;
}

// Moves `temporary` over `target`. A virus scanner or an indexer holds a freshly closed file
// for a moment, which makes the move fail with a refused access or a sharing violation: those
// are tried again for about a second. ERROR_SUCCESS, or the error of the last try.
DWORD Replace(const std::string& temporary, const std::string& target) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
            attempt == kReplaceTries)
            return error;
        Sleep(kReplacePauseMs);
    }
}

// Shows the file object's open-failure box for `path`, carrying the system text of `error`.
void ReportReplaceFailure(const std::string& path, DWORD error) {
    CFileHarvel named(FileOpenDesc(path, FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS));
    SetLastError(error);
    ReportFileError(&named, 0, __FILE__, __LINE__);
}

} // namespace

std::string CIniFile::Serialize() const {
    std::string out;
    AppendNode(*this, 0, std::string(), out);
    return out;
}

bool CIniFile::Save(const std::string& path) {
    const std::string target = path.empty() ? GetName() : path;
    const std::string text = Serialize();

    // Fail where truncating the target would have failed (read-only file, missing folder),
    // with the box naming the target, but without touching its content.
    const bool existed = !IniFileSystem::SurelyMissing(target);
    // Some hosts (Wine run as root) let a read-only file be opened for writing and replaced;
    // Windows refuses both, and so do we.
    DWORD readOnly = 0;
    if (FileGetAttribute(target, FILE_ATTR_READONLY, &readOnly) && readOnly) {
        ReportReplaceFailure(target, ERROR_ACCESS_DENIED);
        return false;
    }
    FileOpenDesc probeDesc(target, FILE_ACCESS_WRITE, FILE_DISK,
                           existed ? FILE_OPEN_EXISTING : FILE_CREATE_ALWAYS);
    std::unique_ptr<CTextFile> probe(CTextFile::CreateAndOpen(&probeDesc));
    if (!probe)
        return false;
    probe.reset();

    TemporaryFile file(target);
    const std::string temporary = CreateTemporary(file, target);
    bool ok = !temporary.empty() && WriteFlushed(file, text);
    if (ok) {
        const DWORD error = Replace(temporary, target);
        if (error != ERROR_SUCCESS) {
            ReportSaveFailure(target, error);
            ok = false;
        }
    }
    if (!ok && !temporary.empty())
        DeleteFileA(temporary.c_str());
    // The probe made the target, empty; nothing was there to keep.
    if (!ok && !existed)
        DeleteFileA(target.c_str());
    return ok;
}
