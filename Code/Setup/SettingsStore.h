// Where the settings are read and written so that the game sees them: the game reads the
// current user's VirtualStore copy of the settings file whenever one exists (VirtualStore.h),
// so both programs read that copy, write it, and write the file itself where they may.
#pragma once

#include <functional>
#include <string>

class CIniFile;

// The current user's copy of the file at `path` when it exists and `path` lies where Windows
// virtualizes (IsVirtualizedLocation); else empty (always natively).
std::wstring FindVirtualStoreCopy(const std::string& path);

// Runs `read` on the file the game reads in place of `path`: the copy when there is one (its
// folder the working folder meanwhile, `read` given its name), else `path` itself. Returns
// what `read` returned; false when the copy's folder cannot be entered.
bool ReadAsTheGame(const std::string& path, const std::function<bool(const std::string&)>& read);

// True when this user may not write the file at `path`, or create it where it is missing:
// access is denied, and not for a read-only attribute. Changes nothing.
bool WritingRefused(const std::string& path);

struct SettingsSaveOutcome {
    enum Kind {
        Real,       // no copy: the file itself written
        Both,       // the copy and then the file written
        CopyOnly,   // the copy written; the file may not be written by this user, unchanged
        CopyMade,   // no copy was there and the file may not be written where Windows
                    // virtualizes: the copy made and written; the file unchanged
        RealFailed, // the copy written; the file's own save failed (its LastSave says how)
        Failed,     // nothing written: the copy's save failed (with `copy`) or the file's
    } kind;
    std::wstring copy; // the copy written or tried; empty when none was
};

// Saves `document` so that the game reads it: to the copy when there is one, then to `path`
// unless writing it is refused; with no copy, to `path`, or where `path` is refused and lies
// where Windows virtualizes an old program's writes, to a new copy (its folders made). A file
// that cannot be saved has had the file object's box.
SettingsSaveOutcome SaveAsTheGameReads(CIniFile& document, const std::string& path);

// The one line that tells what a save of `path` did with the copy, its paths in code page
// `codePage`; empty for Real and Failed.
std::string DescribeSave(const SettingsSaveOutcome& outcome, const std::string& path,
                         unsigned codePage);
