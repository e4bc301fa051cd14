#include "Scene/NiStreamError.h"

#include <cstring>

namespace {

int lastCode = 0;
char lastMessage[NiStreamError::MAX_MESSAGE + 1] = "";

const char ELLIPSIS[] = "...";

// Appends at most `room` characters of `text` at `out`; returns the characters written.
size_t Append(char* out, size_t room, const char* text, size_t length) {
    size_t n = length < room ? length : room;
    std::memcpy(out, text, n);
    return n;
}

} // namespace

namespace NiStreamError {

int GetCode() {
    return lastCode;
}

const char* GetMessage() {
    return lastMessage;
}

void Reset() {
    lastCode = 0;
    lastMessage[0] = '\0';
}

void SetCode(int code) {
    lastCode = code;
}

void Set(int code, const char* text) {
    lastCode = code;
    size_t n = Append(lastMessage, MAX_MESSAGE, text, std::strlen(text));
    lastMessage[n] = '\0';
}

void SetWithName(int code, const char* text, const char* name, bool nameFirst) {
    if (!name)
        name = "";
    size_t textLength = std::strlen(text);
    size_t nameLength = std::strlen(name);
    // The fixed text and its blank always fit; the name gets what is left.
    size_t nameRoom = MAX_MESSAGE - 1 - textLength;
    const char* nameShown = name;
    bool shortened = nameLength > nameRoom;
    if (shortened) {
        nameLength = nameRoom - (sizeof(ELLIPSIS) - 1);
        nameShown = name + std::strlen(name) - nameLength;
    }
    char* out = lastMessage;
    size_t used = 0;
    auto putName = [&] {
        if (shortened)
            used += Append(out + used, MAX_MESSAGE - used, ELLIPSIS, sizeof(ELLIPSIS) - 1);
        used += Append(out + used, MAX_MESSAGE - used, nameShown, nameLength);
    };
    if (nameFirst) {
        putName();
        used += Append(out + used, MAX_MESSAGE - used, " ", 1);
        used += Append(out + used, MAX_MESSAGE - used, text, textLength);
    } else {
        used += Append(out + used, MAX_MESSAGE - used, text, textLength);
        used += Append(out + used, MAX_MESSAGE - used, " ", 1);
        putName();
    }
    out[used] = '\0';
    lastCode = code;
}

} // namespace NiStreamError
