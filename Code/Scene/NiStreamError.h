// The stream loader's process-wide error state: the last error code and a message of at most
// 255 characters, shared by all streams.
#pragma once

namespace NiStreamError {

const unsigned MAX_MESSAGE = 255;

int GetCode();
const char* GetMessage();

// Code 0 and an empty message.
void Reset();
// Sets the code and leaves the message as it was.
void SetCode(int code);
// Sets the code and the message `text` (cut at MAX_MESSAGE characters).
void Set(int code, const char* text);
// Sets the code and "<text> <name>", or "<name> <text>" when `nameFirst`. A name too long for
// the message keeps its end, after "...", so the message stays whole and ends as it would.
void SetWithName(int code, const char* text, const char* name, bool nameFirst);

} // namespace NiStreamError
