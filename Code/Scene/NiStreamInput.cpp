#include "Scene/NiStreamInput.h"

#include <algorithm>
#include <streambuf>

size_t NiIstreamInput::Read(void* buffer, size_t least, size_t most) {
    // What the stream already holds costs no wait, and can be handed back afterwards.
    std::streamsize atHand = stream.rdbuf() ? stream.rdbuf()->in_avail() : 0;
    size_t wanted = atHand > 0 ? std::min(static_cast<size_t>(atHand), most) : 0;
    wanted = std::max(wanted, least);
    // A caller's exception mask turns a short read into a throw; the count read stands either
    // way, and the short read is the loader's to report.
    try {
        stream.read(static_cast<char*>(buffer), static_cast<std::streamsize>(wanted));
    } catch (...) {
    }
    return static_cast<size_t>(stream.gcount());
}

void NiIstreamInput::Unread(const unsigned char* bytes, size_t size) {
    std::streambuf* buffer = stream.rdbuf();
    if (!buffer || size == 0)
        return;
    while (size > 0 && buffer->sputbackc(static_cast<char>(bytes[size - 1])) !=
                           std::streambuf::traits_type::eof())
        --size;
    // Bytes read past the stream's own buffer cannot be put back; a seekable stream goes back.
    if (size > 0)
        buffer->pubseekoff(-static_cast<std::streamoff>(size), std::ios::cur, std::ios::in);
}
