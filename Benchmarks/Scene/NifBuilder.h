// Builds stream files byte by byte for the benchmark.
#pragma once

#include "Scene/NiStreamFormat.h"

#include <cstdint>
#include <string>

class NifBuilder {
public:
    static constexpr const char* HEADER = "NetImmerse File Format, Version 4.2.2.0";

    NifBuilder& Line(const std::string& text) {
        bytes += text;
        bytes += '\n';
        return *this;
    }
    NifBuilder& Word(uint32_t value) {
        unsigned char b[NifFormat::WORD_SIZE];
        NifFormat::EncodeFixed32(b, value);
        bytes.append(reinterpret_cast<const char*>(b), sizeof(b));
        return *this;
    }
    // A class name or sized string: its length, then its bytes.
    NifBuilder& Sized(const std::string& text) {
        Word(static_cast<uint32_t>(text.size()));
        bytes += text;
        return *this;
    }
    // Header line, version and record count.
    NifBuilder& Start(uint32_t version, uint32_t records) {
        return Line(HEADER).Word(version).Word(records);
    }
    const std::string& Bytes() const { return bytes; }

private:
    std::string bytes;
};
