// The 32-bit test programs link glibc statically, and glibc warns at link time about its name
// lookup there. Its only caller is GoogleTest's streaming of results to a socket, which no test
// uses: the programs are linked with --wrap for these two names, and the lookup always fails.
#include <netdb.h>

extern "C" int __wrap_getaddrinfo(const char*, const char*, const addrinfo*, addrinfo** result) {
    *result = nullptr;
    return EAI_FAIL;
}

extern "C" void __wrap_freeaddrinfo(addrinfo*) {}
