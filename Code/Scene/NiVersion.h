// Version numbers of the scene-graph library and of its stream files: "a.b.c.d" is the 32-bit
// value a<<24 | b<<16 | c<<8 | d, so versions compare as plain integers.
#pragma once

#include <cstdint>

// Encodes a version text: up to four decimal parts of 0-255 separated by points; missing
// parts count as 0. Returns 0 (below every readable version) for any other text.
constexpr uint32_t NiParseVersion(const char* text) {
    uint32_t value = 0;
    unsigned parts = 0;
    uint32_t part = 0;
    bool digits = false;
    for (const char* p = text;; ++p) {
        if (*p >= '0' && *p <= '9') {
            part = part * 10 + static_cast<uint32_t>(*p - '0');
            if (part > 255)
                return 0;
            digits = true;
        } else if (*p == '.' || *p == '\0') {
            if (!digits || parts == 4)
                return 0;
            value = value << 8 | part;
            ++parts;
            part = 0;
            digits = false;
            if (*p == '\0')
                break;
        } else {
            return 0;
        }
    }
    return value << 8 * (4 - parts);
}

// Computed from their texts before any dynamic initialiser runs.
constexpr uint32_t NI_OLDEST_READABLE_VERSION = NiParseVersion("3.3.0.11");
constexpr uint32_t NI_CURRENT_VERSION = NiParseVersion("4.2.2.0");
// Files older than this get their update flags derived after loading.
constexpr uint32_t NI_UPDATE_FLAGS_VERSION = NiParseVersion("4.1.0.12");
