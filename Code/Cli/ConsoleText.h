// Text between the game's files (Windows-1252), the system (sound device names come in its
// ANSI code page) and the person at the console, whose console or terminal reads and types
// its own code page. The files always keep their bytes.
#pragma once

#include <string>

// UTF-8's number among the code pages.
constexpr unsigned kUtf8CodePage = 65001;

// The code pages of the person at the console: of the words typed on the command line and of
// what the tool prints for them to read (JSON is UTF-8 whatever these are).
struct ConsoleCodePages {
    unsigned typed = 1252;
    unsigned shown = 1252;
};

// Those of a process whose arguments are bytes, as the native program's are: the arguments in
// the system's ANSI code page (natively the locale's character set); the output in the
// console's output code page, also when the output goes to a pipe or a file (what reads it
// there, a shell capturing a command's output, decodes it so), or the ANSI code page when the
// process has no console. The Windows program takes its arguments from the wide command line
// instead (Cli/CliMain_win.cpp) and prints as Cli/ConsoleStreams.h says.
ConsoleCodePages ProcessCodePages();

// `bytes` of code page `from` in code page `to` (0 stands for the system's ANSI code page).
// What `to` cannot hold becomes '?', and so do the five bytes Windows-1252 leaves undefined
// (U+FFFD in UTF-8); malformed input is replaced likewise. `lossless`, when given, tells
// whether nothing was replaced.
std::string Recode(const std::string& bytes, unsigned from, unsigned to, bool* lossless = nullptr);

// A character of a text, for naming it: its bytes in UTF-8 and its Unicode code point.
struct TextCharacter {
    std::string utf8;
    unsigned long code = 0;
};

// The first character of `bytes` (code page `from`) that code page `to` cannot hold; code 0
// when it holds them all. Malformed input counts as U+FFFD.
TextCharacter FirstUnheldCharacter(const std::string& bytes, unsigned from, unsigned to);
