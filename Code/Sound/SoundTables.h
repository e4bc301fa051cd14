// The sound module's identifier tables: each an array of names indexed from 0 and a map from
// an upper-case key to the same index. Built at static initialisation, read-only afterwards.
#pragma once

#include <array>
#include <map>
#include <string>

using SoundKeyMap = std::map<std::string, int>;

// Two-letter codes, "Fr" to "Co" (keys "FR" to "CO").
extern const std::array<std::string, 13> SoundCodeNames;
extern const SoundKeyMap SoundCodeIndex;

// Units, menus, terrains and ambiences. "gene" has the key "GEN"; the terrain names (40 to
// 60) have "SND_" before their upper-case form.
extern const std::array<std::string, 76> SoundSubjectNames;
extern const SoundKeyMap SoundSubjectIndex;

// Events; the last element is empty and has no key.
extern const std::array<std::string, 46> SoundEventNames;
extern const SoundKeyMap SoundEventIndex;

// Variants "0" to "6"; the last element is empty and has no key.
extern const std::array<std::string, 8> SoundVariantNames;
extern const SoundKeyMap SoundVariantIndex;

// File formats: "wav".
extern const std::array<std::string, 1> SoundFormatNames;
extern const SoundKeyMap SoundFormatIndex;

enum class SoundTable { Code, Subject, Event, Variant, Format };

// Number of elements of the table's name array (including a trailing empty element).
int SoundTableSize(SoundTable table);

// The name of `index`, or null when the index is outside the table.
const std::string* SoundNameAt(SoundTable table, int index);

// The index of `key` (compared byte by byte, case-sensitive), or -1 when it is not a key.
int SoundIndexOf(SoundTable table, const std::string& key);
