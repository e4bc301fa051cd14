// Saving a document: a new file that takes the old one's place only once the new text is wholly
// on disk, and the old program's write in place where no new file can take that place.
#include <algorithm>
#include <string>

#include "App/LogFile.h"
#include "Harvel/CFileHarvel_WIN.h"
#include "Ini/CIniFile.h"
#include "Ini/CIniFileSystem.h"

namespace {

// Writes and reads go out in pieces of this size, so no single call exceeds what a DWORD counts.
const DWORD kChunk = 1u << 20;
// How often, and how far apart, putting the new file in the target's place is tried.
const int kReplaceTries = 10;
const DWORD kReplacePauseMs = 100;
// The sharing with which the program has always opened the file to write it.
const DWORD kDescriptionShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
// A write in place keeps the old bytes in memory to put them back; no settings file is larger.
const DWORD kInPlaceLimit = 64u << 20;
// Log entry types: information, warning, error.
const int kLogInfo = 18;
const int kLogWarning = 20;
const int kLogError = 24;

// A file that the save opens itself. Every box it shows names the target, the file the player
// knows, whichever file it opened.
class SaveFile : public CTextFile {
public:
    explicit SaveFile(const std::string& target)
        : CTextFile(FileOpenDesc(target, FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS)) {}

    // ERROR_SUCCESS, or the system's error.
    DWORD Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
        handle = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
};

DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

// Writes all of `bytes` at the position of `file` and flushes them. ERROR_SUCCESS, or the
// error of the first failure (a write that stores less than asked counts as a full disk).
DWORD WriteFlushed(HANDLE file, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const DWORD count = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, count, &written, nullptr))
            return LastErrorOr(ERROR_DISK_FULL);
        if (written != count)
            return ERROR_DISK_FULL;
        done += count;
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : LastErrorOr(ERROR_IO_DEVICE);
}

// Reads `file` from its start to its end into `bytes`; ERROR_SUCCESS or the system's error.
DWORD ReadWhole(HANDLE file, std::string& bytes) {
    BY_HANDLE_FILE_INFORMATION info;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0 ||
        !GetFileInformationByHandle(file, &info))
        return LastErrorOr(ERROR_IO_DEVICE);
    if (info.nFileSizeHigh != 0 || info.nFileSizeLow > kInPlaceLimit)
        return ERROR_NOT_ENOUGH_MEMORY;
    bytes.assign(info.nFileSizeLow, '\0');
    for (size_t done = 0; done < bytes.size();) {
        const DWORD count = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, kChunk));
        DWORD got = 0;
        if (!ReadFile(file, &bytes[done], count, &got, nullptr))
            return LastErrorOr(ERROR_IO_DEVICE);
        if (got == 0)
            return ERROR_HANDLE_EOF; // shorter than it said: changed meanwhile
        done += got;
    }
    return ERROR_SUCCESS;
}

// Empties `file`, writes `bytes` from its start, flushes and reads them back. ERROR_SUCCESS, or
// the error of the first failure; `*changed` tells whether the file was emptied by then.
DWORD Rewrite(HANDLE file, const std::string& bytes, bool* changed) {
    *changed = false;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0 || !SetEndOfFile(file))
        return LastErrorOr(ERROR_IO_DEVICE);
    *changed = true;
    DWORD error = WriteFlushed(file, bytes);
    std::string back;
    if (error == ERROR_SUCCESS && (error = ReadWhole(file, back)) == ERROR_SUCCESS && back != bytes)
        error = ERROR_IO_DEVICE;
    return error;
}

// The errors of a file that another program (a virus scanner, an indexer) holds for a moment.
bool Held(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
           error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
}

void Log(int type, int line, const std::string& text) {
    TheLog.SetSource(line, __FILE__).Write(text, type);
}

// One save of `text` to `target`; what it finds out goes to `outcome`.
class SaveRun {
public:
    SaveRun(const std::string& target, const std::string& text, IniSaveOutcome& outcome)
        : target(target), text(text), outcome(outcome) {}

    bool Run() {
        existed = !IniFileSystem::SurelyMissing(target);
        // Some hosts (Wine run as root) let a read-only file be opened for writing and replaced;
        // Windows refuses both, and so do we.
        DWORD readOnly = 0;
        if (FileGetAttribute(target, FILE_ATTR_READONLY, &readOnly) && readOnly)
            return Fail(ERROR_ACCESS_DENIED, FILE_ERROR_OPEN);
        // Fail where the program's own open for writing would have failed (missing folder, a
        // file no one may write), without touching the content.
        SaveFile probe(target);
        const DWORD error = probe.Open(target, GENERIC_WRITE, kDescriptionShare,
                                       existed ? OPEN_EXISTING : CREATE_ALWAYS);
        if (error != ERROR_SUCCESS)
            return Fail(error, FILE_ERROR_OPEN);
        BY_HANDLE_FILE_INFORMATION info;
        const bool known = GetFileInformationByHandle(probe.GetHandle(), &info) != FALSE;
        const DWORD names = known ? info.nNumberOfLinks : 1;
        oldAttributes = known ? info.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
        probe.Close();
        // A new file would part the file from its other names (hard links).
        const bool saved =
            existed && names > 1
                ? InPlace("the file has " + std::to_string(names) + " names", ERROR_SUCCESS)
                : Atomically();
        // The probe made the target, empty; nothing was there to keep.
        if (!saved && !existed) {
            DeleteFileA(target.c_str());
            outcome.old = IniSaveOutcome::Untouched;
        }
        const int removed = saved ? IniFileSystem::RemoveLeftovers(target) : 0;
        if (removed > 0)
            Log(kLogInfo, __LINE__,
                target + ": removed " + std::to_string(removed) + " file(s) left by earlier saves");
        return saved;
    }

private:
    // Shows the file object's box for the target with the system's text of `error`, under the
    // table text `code`, or when that is -1 the one that fits the cause: a missing path, a
    // refused access, or else a failed write. Returns false.
    bool Fail(DWORD error, int code = -1) {
        outcome.error = error;
        if (code < 0) {
            code = FILE_ERROR_WRITE;
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                code = FILE_ERROR_OPEN;
            else if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
                code = FILE_ERROR_READWRITE;
        }
        SaveFile named(target);
        SetLastError(error);
        ReportFileError(&named, code, __FILE__, __LINE__);
        return false;
    }

    // Creates a temporary file beside the target under the first n for which neither of the
    // save's names (IniFileSystem::SaveFileName) is taken, shared with no one, so that nothing
    // else writes or removes it meanwhile, and sets `backup`. A leftover of an earlier save
    // (read-only, hidden, a folder, held open by another program) is never reused, only passed
    // by. The name, or empty with `*error` set.
    std::string CreateTemporary(SaveFile& file, DWORD* error) {
        *error = ERROR_FILE_EXISTS;
        for (int n = 1; n <= IniFileSystem::kSaveNames; ++n) {
            const std::string path = IniFileSystem::SaveFileName(target, n, false);
            backup = IniFileSystem::SaveFileName(target, n, true);
            if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
                GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES)
                continue;
            *error = file.Open(path, GENERIC_WRITE, 0, CREATE_NEW);
            if (*error == ERROR_SUCCESS)
                return path;
            if (*error != ERROR_FILE_EXISTS && *error != ERROR_ALREADY_EXISTS)
                break; // not a name taken meanwhile
        }
        return std::string();
    }

    // Puts `temporary` in the target's place: ReplaceFileA where the target was there before
    // the save, so that the new file keeps its attributes, access rights and streams; a rename
    // over the empty file that the probe made otherwise. A held file is tried again for about a
    // second. ERROR_SUCCESS, or the error of the last try.
    DWORD TakePlace(const std::string& temporary) {
        for (int attempt = 1;; ++attempt) {
            const DWORD error =
                existed ? ReplaceOnce(temporary) : MoveTo(temporary, MOVEFILE_REPLACE_EXISTING);
            if (error == ERROR_SUCCESS && !existed)
                outcome.way = IniSaveOutcome::Renamed;
            if (error == ERROR_SUCCESS || attempt == kReplaceTries || !Held(error))
                return error;
            Sleep(kReplacePauseMs);
        }
    }

    // Renames `from` to the target, written through; ERROR_SUCCESS or the system's error.
    DWORD MoveTo(const std::string& from, DWORD flags) const {
        return MoveFileExA(from.c_str(), target.c_str(), flags | MOVEFILE_WRITE_THROUGH)
                   ? ERROR_SUCCESS
                   : GetLastError();
    }

    // One try at replacing the old file, which keeps `backup` meanwhile. A failed replace may
    // leave a copy of it there (1175) or the old file itself with the target's name free (1176,
    // 1177): the old file then goes back under the target's name for the next try, or where it
    // cannot (held), the new one takes the name. ERROR_SUCCESS, or the error to try again on.
    DWORD ReplaceOnce(const std::string& temporary) {
        // An earlier try left the name free and could put neither file back.
        DWORD error = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
        if (!IniFileSystem::SurelyMissing(target)) {
            error = DeleteAccessError();
            if (error == ERROR_SUCCESS && ReplaceFileA(target.c_str(), temporary.c_str(),
                                                       backup.c_str(), 0, nullptr, nullptr)) {
                outcome.way = IniSaveOutcome::Replaced;
                return ERROR_SUCCESS;
            }
            if (error == ERROR_SUCCESS)
                error = GetLastError();
            if (!IniFileSystem::SurelyMissing(target)) {
                DeleteFileA(backup.c_str()); // a copy at most: the old file is in place
                return error;
            }
        }
        if (MoveTo(backup, 0) == ERROR_SUCCESS)
            return error;
        const DWORD moved = MoveTo(temporary, 0);
        if (moved == ERROR_SUCCESS) {
            outcome.way = IniSaveOutcome::Renamed;
            Log(kLogWarning, __LINE__,
                target + ": the replace failed with error " + std::to_string(error) +
                    " and the old file could not come back from " + backup);
        }
        return moved;
    }

    // The replace needs delete access to the target, which a program holding it without
    // delete sharing refuses. Asked first, since some hosts (Wine) leave a stray file in the
    // folder when the replace itself meets that refusal. ERROR_SUCCESS or the system's error.
    DWORD DeleteAccessError() const {
        HANDLE file = CreateFileA(target.c_str(), DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return GetLastError();
        CloseHandle(file);
        return ERROR_SUCCESS;
    }

    // Gives the replaced file's hidden and system attributes back where the system's replace
    // did not carry them over (Wine does not). Best effort: the text is saved either way.
    void KeepAttributes() const {
        const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        const DWORD now = GetFileAttributesA(target.c_str());
        if (now != INVALID_FILE_ATTRIBUTES && (now & kept) != (oldAttributes & kept))
            SetFileAttributesA(target.c_str(), (now & ~kept) | (oldAttributes & kept));
    }

    bool Atomically() {
        SaveFile file(target);
        DWORD error = ERROR_SUCCESS;
        const std::string temporary = CreateTemporary(file, &error);
        if (temporary.empty())
            return InPlace("no new file can be made in its folder", error);
        error = WriteFlushed(file.GetHandle(), text);
        // A failed close shows its own box.
        const bool closed = file.Close() != 0;
        if (error != ERROR_SUCCESS || !closed) {
            DeleteFileA(temporary.c_str());
            return error != ERROR_SUCCESS ? Fail(error, FILE_ERROR_WRITE) : false;
        }
        error = TakePlace(temporary);
        if (error == ERROR_SUCCESS) {
            if (existed)
                KeepAttributes();
            DeleteFileA(backup.c_str()); // the old file, when it was replaced
            Log(kLogInfo, __LINE__,
                target + (outcome.way == IniSaveOutcome::Replaced
                              ? " saved: a new copy replaced it, keeping its attributes"
                              : " saved: a new file took its name"));
            return true;
        }
        if (!IniFileSystem::SurelyMissing(target)) {
            DeleteFileA(temporary.c_str());
            return InPlace("its replacing was refused", error);
        }
        return Anew(temporary, error);
    }

    // Neither the old file nor the new one could take the target's name back after a failed
    // replace (`placing`; both held): the text is written under it anew, as the old program
    // wrote it. Where even that fails, both texts stay under the save's names, and the
    // outcome says where the old one is.
    bool Anew(const std::string& temporary, DWORD placing) {
        SaveFile file(target);
        DWORD error = file.Open(target, GENERIC_WRITE, kDescriptionShare, CREATE_NEW);
        const bool opened = error == ERROR_SUCCESS;
        if (opened && (error = WriteFlushed(file.GetHandle(), text)) == ERROR_SUCCESS &&
            file.Close() != 0) {
            outcome.way = IniSaveOutcome::Renamed;
            KeepAttributes();
            Log(kLogWarning, __LINE__,
                target + " saved as a new file (the old file and the new copy are held, error " +
                    std::to_string(placing) + ")");
            return true;
        }
        file.Close();
        if (opened)
            DeleteFileA(target.c_str());
        const bool aside = !IniFileSystem::SurelyMissing(backup);
        outcome.old = aside ? IniSaveOutcome::Aside : IniSaveOutcome::Damaged;
        outcome.aside = aside ? backup : std::string();
        Log(kLogError, __LINE__,
            target + " is missing; " + (aside ? "the old text is kept as " + backup + ", " : "") +
                "the new text as " + temporary);
        return Fail(placing);
    }

    // Writes the text over the target's own bytes, as the program always did, keeping the old
    // bytes to write them back when the write fails once begun. `why` and `refusal` say why
    // the atomic way could not be taken; `refusal` is the box's error when the target cannot
    // be opened for this either.
    bool InPlace(const std::string& why, DWORD refusal) {
        SaveFile file(target);
        DWORD error =
            file.Open(target, GENERIC_READ | GENERIC_WRITE, kDescriptionShare, OPEN_EXISTING);
        if (error != ERROR_SUCCESS)
            return Fail(refusal != ERROR_SUCCESS ? refusal : error);
        std::string old;
        if ((error = ReadWhole(file.GetHandle(), old)) != ERROR_SUCCESS)
            return Fail(error, FILE_ERROR_READ);
        const std::string reason =
            " (" + why + (refusal != ERROR_SUCCESS ? ", error " + std::to_string(refusal) : "") +
            ")";
        bool changed = false;
        error = Rewrite(file.GetHandle(), text, &changed);
        if (error == ERROR_SUCCESS) {
            outcome.way = IniSaveOutcome::InPlace;
            Log(kLogWarning, __LINE__, target + " saved in place" + reason);
            return true;
        }
        if (changed) {
            bool again = false;
            const bool restored = Rewrite(file.GetHandle(), old, &again) == ERROR_SUCCESS;
            outcome.old = restored ? IniSaveOutcome::Restored : IniSaveOutcome::Damaged;
            Log(kLogError, __LINE__,
                target + ": writing in place failed with error " + std::to_string(error) +
                    (restored ? "; the old bytes were written back"
                              : "; the old bytes could not be written back") +
                    reason);
        }
        return Fail(error, FILE_ERROR_WRITE);
    }

    const std::string& target;
    const std::string& text;
    IniSaveOutcome& outcome;
    bool existed = false;
    std::string backup; // the name the old file keeps while the new one takes its place
    DWORD oldAttributes = INVALID_FILE_ATTRIBUTES; // of the target before the save
};

} // namespace

bool CIniFile::Save(const std::string& path) {
    lastSave = IniSaveOutcome();
    const std::string target = path.empty() ? GetName() : path;
    const std::string text = Serialize();
    return SaveRun(target, text, lastSave).Run();
}
