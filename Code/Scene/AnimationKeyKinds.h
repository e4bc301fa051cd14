// The kinds of animation key: what a key holds (content 0-3) and how it is interpolated
// (type 0-4). Each kind registers its operations once, at start-up, in a table slot of its own.
#pragma once

struct AnimationKeyKind {
    unsigned content;
    unsigned type;
    // 1 for the first kind registered, 2 for the next...; 0 while the slot is empty.
    unsigned registrationOrder;
};

const unsigned KEY_CONTENT_COUNT = 4;
const unsigned KEY_TYPE_COUNT = 5;
const unsigned KEY_KIND_SLOT_COUNT = KEY_CONTENT_COUNT * KEY_TYPE_COUNT;

inline unsigned KeyKindSlot(unsigned content, unsigned type) {
    return content * KEY_TYPE_COUNT + type;
}

// The slot of one kind; its order is 0 when the kind is not registered. Null for a slot
// number at or beyond KEY_KIND_SLOT_COUNT.
const AnimationKeyKind* GetAnimationKeyKind(unsigned slot);
unsigned GetAnimationKeyKindCount();

// One registration a kind, each with a flag of its own: the first call fills the kind's slot
// and returns 1, every later call returns 0 and changes nothing.
template <unsigned Content, unsigned Type> int RegisterAnimationKeyKind();

// The fifteen kinds the library uses.
extern template int RegisterAnimationKeyKind<0, 0>();
extern template int RegisterAnimationKeyKind<0, 1>();
extern template int RegisterAnimationKeyKind<0, 2>();
extern template int RegisterAnimationKeyKind<0, 3>();
extern template int RegisterAnimationKeyKind<1, 0>();
extern template int RegisterAnimationKeyKind<1, 1>();
extern template int RegisterAnimationKeyKind<1, 2>();
extern template int RegisterAnimationKeyKind<1, 3>();
extern template int RegisterAnimationKeyKind<2, 0>();
extern template int RegisterAnimationKeyKind<2, 1>();
extern template int RegisterAnimationKeyKind<2, 2>();
extern template int RegisterAnimationKeyKind<2, 3>();
extern template int RegisterAnimationKeyKind<2, 4>();
extern template int RegisterAnimationKeyKind<3, 0>();
extern template int RegisterAnimationKeyKind<3, 1>();
