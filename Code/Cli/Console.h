// Where a command prints, and the exit codes every command shares.
#pragma once

#include <ostream>

enum ExitCode : int {
    kExitOk = 0,           // done; for a check, nothing found
    kExitFindings = 1,     // a check found something
    kExitUsage = 2,        // bad command line or unknown key
    kExitInvalidValue = 3, // a value the dialog would not take; nothing was changed
    kExitFileError = 4,    // a file could not be read or written; nothing was changed
};

// Results go to `out`, errors and message-box texts to `err`.
struct Console {
    std::ostream& out;
    std::ostream& err;
};
