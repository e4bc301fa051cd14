#include "Scene/AnimationKeyKinds.h"

namespace {

// Constant-initialised, so registrations from any static initialiser find it ready.
AnimationKeyKind keyKinds[KEY_KIND_SLOT_COUNT] = {};
unsigned registeredKinds = 0;

void FillSlot(unsigned content, unsigned type) {
    AnimationKeyKind& kind = keyKinds[KeyKindSlot(content, type)];
    kind.content = content;
    kind.type = type;
    kind.registrationOrder = ++registeredKinds;
}

} // namespace

const AnimationKeyKind* GetAnimationKeyKind(unsigned slot) {
    return slot < KEY_KIND_SLOT_COUNT ? &keyKinds[slot] : nullptr;
}

unsigned GetAnimationKeyKindCount() {
    return registeredKinds;
}

template <unsigned Content, unsigned Type> int RegisterAnimationKeyKind() {
    static_assert(Content < KEY_CONTENT_COUNT && Type < KEY_TYPE_COUNT, "no such key kind");
    // Zero-initialised before any initialiser runs, whatever the order between files.
    static bool registered;
    if (registered)
        return 0;
    registered = true;
    FillSlot(Content, Type);
    return 1;
}

template int RegisterAnimationKeyKind<0, 0>();
template int RegisterAnimationKeyKind<0, 1>();
template int RegisterAnimationKeyKind<0, 2>();
template int RegisterAnimationKeyKind<0, 3>();
template int RegisterAnimationKeyKind<1, 0>();
template int RegisterAnimationKeyKind<1, 1>();
template int RegisterAnimationKeyKind<1, 2>();
template int RegisterAnimationKeyKind<1, 3>();
template int RegisterAnimationKeyKind<2, 0>();
template int RegisterAnimationKeyKind<2, 1>();
template int RegisterAnimationKeyKind<2, 2>();
template int RegisterAnimationKeyKind<2, 3>();
template int RegisterAnimationKeyKind<2, 4>();
template int RegisterAnimationKeyKind<3, 0>();
template int RegisterAnimationKeyKind<3, 1>();
