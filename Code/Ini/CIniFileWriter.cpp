// The written form of a document, and a save that replaces the previous file only once the
// new text is wholly on disk.
#include "Ini/CIniFile.h"

#include <algorithm>

#include "Harvel/CFileHarvel_WIN.h"
#include "Ini/CIniFileSystem.h"

namespace {

// Writes go out in pieces of this size, so no single call exceeds what a DWORD counts.
const DWORD kWriteChunk = 1u << 20;

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
        DWORD written = 0;
        if (!file.Write(text.data() + done, count, &written, true) || written != count)
            return false;
        done += count;
    }
    return true;
}

// Writes `text` to a new file at `path` and flushes it once. On any failure (each shown in
// the file object's box) the file is removed again and the result is false.
bool WriteFlushed(const std::string& path, const std::string& text) {
    FileOpenDesc desc(path, FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
    std::unique_ptr<CTextFile> file(CTextFile::CreateAndOpen(&desc));
    if (!file)
        return false;
    bool ok = WriteAll(*file, text);
    if (ok && !FlushFileBuffers(file->GetHandle())) {
        ReportFileError(file.get(), 4, __FILE__, __LINE__);
        ok = false;
    }
    if (!file->Close())
        ok = false;
    file.reset();
    if (!ok)
        DeleteFileA(path.c_str());
    return ok;
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

    const std::string temporary = target + ".tmp";
    bool ok = WriteFlushed(temporary, text);
    if (ok && !MoveFileExA(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        ReportReplaceFailure(target, error);
        ok = false;
    }
    // The probe made the target, empty; nothing was there to keep.
    if (!ok && !existed)
        DeleteFileA(target.c_str());
    return ok;
}
