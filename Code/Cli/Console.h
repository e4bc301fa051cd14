// Where a command prints, and the exit codes every command shares.
#pragma once

#include <ostream>
#include <string>

enum ExitCode : int {
    kExitOk = 0,           // done; for a check, nothing found
    kExitFindings = 1,     // a check found something
    kExitUsage = 2,        // bad command line or unknown key
    kExitInvalidValue = 3, // a value the dialog would not take; nothing was changed
    kExitFileError = 4,    // a file could not be read or written; nothing was changed
};

// The code page of the game's files, of every text the tool reads there or stores there, and
// of the words of a command line once taken in (Cli/ConsoleText.h).
constexpr unsigned kFileCodePage = 1252;

// Results go to `out`, errors and message-box texts to `err`, for a person who reads code page
// `shownCodePage`.
struct Console {
    std::ostream& out;
    std::ostream& err;
    unsigned shownCodePage = kFileCodePage;

    // `text`, in the files' code page, as the person's console shows it.
    std::string Shown(const std::string& text) const;
};
