#include "Sound/SoundTables.h"

#include <cctype>
#include <gtest/gtest.h>

namespace {

const SoundTable kTables[] = {SoundTable::Code, SoundTable::Subject, SoundTable::Event,
                              SoundTable::Variant, SoundTable::Format};

TEST(SoundTables, TablesHaveTheirSizesAndTheEmptyElementsNoKey) {
    const int sizes[] = {13, 76, 46, 8, 1};
    const size_t keys[] = {13, 76, 45, 7, 1};
    const SoundKeyMap* maps[] = {&SoundCodeIndex, &SoundSubjectIndex, &SoundEventIndex,
                                 &SoundVariantIndex, &SoundFormatIndex};
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(SoundTableSize(kTables[t]), sizes[t]) << t;
        EXPECT_EQ(maps[t]->size(), keys[t]) << t;
        EXPECT_EQ(SoundNameAt(kTables[t], -1), nullptr);
        EXPECT_EQ(SoundNameAt(kTables[t], sizes[t]), nullptr);
    }
}

TEST(SoundTables, NamesAndKeysSitAtTheirIndices) {
    const struct {
        SoundTable table;
        int index;
        const char* name;
        const char* key; // null: the name has no key
    } rows[] = {
        {SoundTable::Code, 0, "Fr", "FR"},
        {SoundTable::Code, 12, "Co", "CO"},
        {SoundTable::Subject, 0, "inf0", "INF0"},
        {SoundTable::Subject, 11, "gene", "GEN"},
        {SoundTable::Subject, 40, "recifs", "SND_RECIFS"},
        {SoundTable::Subject, 46, "plaine", "SND_PLAINE"},
        {SoundTable::Subject, 56, "tropicale_normale", "SND_TROPICALE_NORMALE"},
        {SoundTable::Subject, 60, "coniferes_normale", "SND_CONIFERES_NORMALE"},
        {SoundTable::Subject, 61, "windplain", "WINDPLAIN"},
        {SoundTable::Subject, 75, "even", "EVEN"},
        {SoundTable::Event, 17, "alerte_3", "ALERTE_3"},
        {SoundTable::Event, 40, "attaque_spe", "ATTAQUE_SPE"},
        {SoundTable::Event, 44, "mvt", "MVT"},
        {SoundTable::Event, 45, "", nullptr},
        {SoundTable::Variant, 0, "0", "0"},
        {SoundTable::Variant, 6, "6", "6"},
        {SoundTable::Variant, 7, "", nullptr},
        {SoundTable::Format, 0, "wav", "WAV"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(SoundNameAt(row.table, row.index), nullptr);
        EXPECT_EQ(*SoundNameAt(row.table, row.index), row.name);
        if (row.key) {
            EXPECT_EQ(SoundIndexOf(row.table, row.key), row.index);
        }
    }
}

TEST(SoundTables, KeysAreCaseSensitiveAndOnlyTerrainsHaveThePrefix) {
    const struct {
        SoundTable table;
        const char* key;
    } absent[] = {{SoundTable::Subject, "inf0"},   {SoundTable::Subject, "Inf0"},
                  {SoundTable::Code, "Fr"},        {SoundTable::Format, "wav"},
                  {SoundTable::Subject, "GENE"},   {SoundTable::Subject, "PLAINE"},
                  {SoundTable::Subject, "RECIFS"}, {SoundTable::Subject, "SND_WINDPLAIN"},
                  {SoundTable::Event, ""},         {SoundTable::Variant, ""},
                  {SoundTable::Variant, "7"}};
    for (const auto& row : absent)
        EXPECT_EQ(SoundIndexOf(row.table, row.key), -1) << row.key;
}

// Every non-empty name is reached by exactly one key, its upper-case form, except "gene"
// (key "GEN") and the terrains 40 to 60 (key "SND_" and the upper-case form).
TEST(SoundTables, EveryNameHasTheKeyOfTheRule) {
    for (SoundTable table : kTables) {
        for (int i = 0; i < SoundTableSize(table); ++i) {
            std::string key = *SoundNameAt(table, i);
            if (key.empty())
                continue;
            for (char& c : key)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (table == SoundTable::Subject && i == 11)
                key = "GEN";
            else if (table == SoundTable::Subject && i >= 40 && i <= 60)
                key = "SND_" + key;
            EXPECT_EQ(SoundIndexOf(table, key), i) << key;
        }
    }
}

} // namespace
