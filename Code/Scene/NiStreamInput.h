// The binary input a load reads from: a C file opened by name, a caller's std::istream, or a
// block of memory. NiStream reads through a window of bytes and asks the input for more only
// when the window runs dry, in large pieces.
#pragma once

#include <cstddef>
#include <cstdio>
#include <istream>

class NiStreamInput {
public:
    virtual ~NiStreamInput() = default;
    // Copies at least `least` and at most `most` bytes into `buffer`, fewer only at the end of
    // the input or on a read error; returns how many were copied. Never throws.
    virtual size_t Read(void* buffer, size_t least, size_t most) = 0;
    // Hands back the `size` bytes at `bytes`, the last ones read and left unused, so that the
    // input ends just after what the load took.
    virtual void Unread(const unsigned char* bytes, size_t size) {
        (void)bytes;
        (void)size;
    }
};

// Reads from an open C file; does not own it.
class NiFileInput : public NiStreamInput {
public:
    explicit NiFileInput(std::FILE* file) : file(file) {}
    size_t Read(void* buffer, size_t, size_t most) override {
        return std::fread(buffer, 1, most, file);
    }

private:
    std::FILE* file;
};

// Reads from a caller's stream, which stays open; a short read leaves it at end of file. Reads
// ahead only what the stream has at hand, and gives back what the load left unused.
class NiIstreamInput : public NiStreamInput {
public:
    explicit NiIstreamInput(std::istream& stream) : stream(stream) {}
    size_t Read(void* buffer, size_t least, size_t most) override;
    void Unread(const unsigned char* bytes, size_t size) override;

private:
    std::istream& stream;
};

// A block of memory is the window itself: there is never anything more to read.
class NiMemoryInput : public NiStreamInput {
public:
    size_t Read(void*, size_t, size_t) override { return 0; }
};
