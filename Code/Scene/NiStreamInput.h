// The binary input a load reads from: a C file opened by name, or a caller's std::istream.
#pragma once

#include <cstddef>
#include <cstdio>
#include <istream>

class NiStreamInput {
public:
    virtual ~NiStreamInput() = default;
    // Copies up to `size` bytes into `buffer`; returns how many were copied, fewer only at
    // the end of the input or on a read error.
    virtual size_t Read(void* buffer, size_t size) = 0;
};

// Reads from an open C file; does not own it.
class NiFileInput : public NiStreamInput {
public:
    explicit NiFileInput(std::FILE* file) : file(file) {}
    size_t Read(void* buffer, size_t size) override { return std::fread(buffer, 1, size, file); }

private:
    std::FILE* file;
};

// Reads from a caller's stream, which stays open; a short read leaves it at end of file.
class NiIstreamInput : public NiStreamInput {
public:
    explicit NiIstreamInput(std::istream& stream) : stream(stream) {}
    size_t Read(void* buffer, size_t size) override {
        stream.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
        return static_cast<size_t>(stream.gcount());
    }

private:
    std::istream& stream;
};
