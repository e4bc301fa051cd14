// JSON output of the commands. The game's files hold Windows-1252 text; JSON is UTF-8, so
// every text passes through Utf8 on its way out.
#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

// Keys come out in the order they were added.
using Json = nlohmann::ordered_json;

// `bytes` read as Windows-1252 (the game's files), in UTF-8. The five bytes that code page
// leaves undefined become U+FFFD.
std::string Utf8(const std::string& bytes);

// Writes `value` indented by two blanks, with a line feed.
void PrintJson(std::ostream& out, const Json& value);
