// The scene-graph stream file ("NIF") as NiStream reads it. All integers are 32-bit,
// little-endian and unaligned, unsigned unless stated; there is no padding.
//
//   header line     text up to a line feed (10); begins with HEADER_MAGIC; carriage returns
//                   (13) are dropped; at most MAX_HEADER_CHARS characters before the line feed.
//                   The text after the magic is not interpreted.
//   version         encoded version (NiVersion.h), NI_OLDEST_READABLE_VERSION to
//                   NI_CURRENT_VERSION inclusive
//   object count N
//   N object records:
//       class-name length L    at most MAX_CLASS_NAME_LENGTH
//       class name             L bytes, no terminator; a registered class
//       object data            whatever the class's LoadData reads
//   top-level count T
//   T link ids
//
// A link id is the position (from 0) of an object record in the file; NULL_LINK means no
// object. Nothing follows the top-level ids.
//
// Primitives the classes read their data with:
//   sized string    signed 32-bit length n, then n bytes (no text when n <= 0)
//   link id         one 32-bit id
//   link id list    32-bit count n, then n link ids
#pragma once

#include <cstddef>
#include <cstdint>

namespace NifFormat {

const char HEADER_MAGIC[] = "NetImmerse File Format";
const size_t HEADER_MAGIC_LENGTH = sizeof(HEADER_MAGIC) - 1;
const size_t MAX_HEADER_CHARS = 127;
const size_t WORD_SIZE = 4;
const uint32_t MAX_CLASS_NAME_LENGTH = 255;
const uint32_t NULL_LINK = 0xFFFFFFFFu;

inline uint32_t DecodeFixed32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline void EncodeFixed32(unsigned char* p, uint32_t value) {
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
    p[2] = static_cast<unsigned char>(value >> 16);
    p[3] = static_cast<unsigned char>(value >> 24);
}

} // namespace NifFormat
