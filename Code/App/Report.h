// Message boxes for the player: warnings, fatal errors and the box primitive under both.
#pragma once

#include <string>

// Shows `text` in a system-modal OK box with the exclamation icon (style 4144) and no owner.
// Returns when the box is closed; the button is not used.
void ShowMessage(const std::string& text, const std::string& caption);

// Expands `format` printf-style (callers with a text that is not a format pass it through
// "%s") into a buffer of strlen(format) + 1024 characters (a longer
// expansion is truncated), then shows it captioned "WARNING" and returns.
void ReportWarning(const char* format, ...) __attribute__((format(printf, 1, 2)));

// As ReportWarning, captioned "ERROR"; when the box is closed the process ends at once with
// exit code -1 through _exit: no static destructors, no exit handlers.
[[noreturn]] void ReportError(const char* format, ...) __attribute__((format(printf, 1, 2)));
