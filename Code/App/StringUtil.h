// String helpers shared by several modules.
#pragma once

#include <string>
#include <vector>

// Expands `format` into `out` through a buffer of strlen(format) + 1024 characters; a longer
// expansion is truncated to the buffer. The result is cut at its first NUL.
void StringFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Expands `format` through a fixed 8192-byte buffer (at most 8191 characters are kept) and
// returns the text up to its first NUL.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The first `count` characters of `text` (all of it when it is shorter).
std::string Left(const std::string& text, size_t count);

// The last `count` characters of `text` (all of it when it is shorter).
std::string Right(const std::string& text, size_t count);

// Replaces `items` with the comma-separated items of `text`, after removing every blank and
// tab. An empty last item is dropped; empty inner items are kept.
void SplitList(const std::string& text, std::vector<std::string>& items);

// Appends the items to `out`, separated by " , ".
void JoinList(const std::vector<std::string>& items, std::string& out);
