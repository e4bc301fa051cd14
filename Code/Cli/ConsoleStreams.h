// Where the tool prints: this process's standard output and error, and the code page in which
// the commands are to give them text for reading (Cli/ConsoleText.h).
//
// On Windows a console is written through WriteConsoleW, which shows every character whatever
// the console's code page and counts characters, not bytes; the runtime's text-mode writes
// are never used. A standard handle that goes to a pipe or a file gets bytes in the console's
// output code page (the ANSI code page when the process has no console) with CR LF line
// ends, as the runtime's text mode wrote them. The commands print
// in UTF-8 when standard output is a console, else in that code page, and JSON (UTF-8, on
// standard output only) then passes unchanged; standard error is recoded for where it goes.
// Natively the streams are std::cout and std::cerr, in the locale's character set.
#pragma once

#include <ostream>

struct ProcessConsole {
    std::ostream& out;
    std::ostream& err;
    unsigned shown; // the code page of the text given to `out` and `err`
};

// This process's, made on first use and kept until it ends. Each line is written as soon as
// it is complete; flush for the rest.
ProcessConsole& TheProcessConsole();
