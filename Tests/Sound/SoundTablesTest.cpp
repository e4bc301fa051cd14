#include "Sound/SoundTables.h"

#include <cctype>
#include <gtest/gtest.h>

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(SoundTables, TablesHaveTheirSizes) {
    EXPECT_EQ(SoundTableSize(SoundTable::Code), 13);
    EXPECT_EQ(SoundTableSize(SoundTable::Subject), 76);
    EXPECT_EQ(SoundTableSize(SoundTable::Event), 46);
    EXPECT_EQ(SoundTableSize(SoundTable::Variant), 8);
    EXPECT_EQ(SoundTableSize(SoundTable::Format), 1);
    EXPECT_EQ(SoundCodeIndex.size(), 13u);
    EXPECT_EQ(SoundSubjectIndex.size(), 76u);
    EXPECT_EQ(SoundEventIndex.size(), 45u);
    EXPECT_EQ(SoundVariantIndex.size(), 7u);
    EXPECT_EQ(SoundFormatIndex.size(), 1u);
}

TEST(SoundTables, NamesSitAtTheirIndices) {
    EXPECT_EQ(*SoundNameAt(SoundTable::Code, 0), "Fr");
    EXPECT_EQ(*SoundNameAt(SoundTable::Code, 12), "Co");
    EXPECT_EQ(*SoundNameAt(SoundTable::Subject, 11), "gene");
    EXPECT_EQ(*SoundNameAt(SoundTable::Subject, 40), "recifs");
    EXPECT_EQ(*SoundNameAt(SoundTable::Subject, 46), "plaine");
    EXPECT_EQ(*SoundNameAt(SoundTable::Subject, 56), "tropicale_normale");
    EXPECT_EQ(*SoundNameAt(SoundTable::Subject, 60), "coniferes_normale");
    EXPECT_EQ(*SoundNameAt(SoundTable::Subject, 75), "even");
    EXPECT_EQ(*SoundNameAt(SoundTable::Event, 17), "alerte_3");
    EXPECT_EQ(*SoundNameAt(SoundTable::Event, 44), "mvt");
    EXPECT_EQ(*SoundNameAt(SoundTable::Variant, 6), "6");
    EXPECT_EQ(*SoundNameAt(SoundTable::Format, 0), "wav");
}

TEST(SoundTables, IndicesOutsideATableHaveNoName) {
    EXPECT_EQ(SoundNameAt(SoundTable::Code, -1), nullptr);
    EXPECT_EQ(SoundNameAt(SoundTable::Code, 13), nullptr);
    EXPECT_EQ(SoundNameAt(SoundTable::Subject, 76), nullptr);
    EXPECT_EQ(SoundNameAt(SoundTable::Event, 46), nullptr);
    EXPECT_EQ(SoundNameAt(SoundTable::Variant, 8), nullptr);
    EXPECT_EQ(SoundNameAt(SoundTable::Format, 1), nullptr);
}

TEST(SoundTables, KeysAreCaseSensitive) {
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "INF0"), 0);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "inf0"), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "Inf0"), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Code, "FR"), 0);
    EXPECT_EQ(SoundIndexOf(SoundTable::Code, "Fr"), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Format, "WAV"), 0);
    EXPECT_EQ(SoundIndexOf(SoundTable::Format, "wav"), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Event, "ALERTE_3"), 17);
    EXPECT_EQ(SoundIndexOf(SoundTable::Event, "ATTAQUE_SPE"), 40);
}

TEST(SoundTables, GeneHasTheKeyGen) {
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "GEN"), 11);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "GENE"), -1);
}

TEST(SoundTables, TerrainKeysCarryTheSndPrefix) {
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "SND_RECIFS"), 40);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "SND_PLAINE"), 46);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "PLAINE"), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "SND_TROPICALE_NORMALE"), 56);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "SND_CONIFERES_NORMALE"), 60);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "RECIFS"), -1);
    // Only the terrains have the prefix.
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "SND_WINDPLAIN"), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Subject, "WINDPLAIN"), 61);
}

TEST(SoundTables, TrailingEmptyElementsAreNotKeys) {
    EXPECT_EQ(*SoundNameAt(SoundTable::Event, 45), "");
    EXPECT_EQ(*SoundNameAt(SoundTable::Variant, 7), "");
    EXPECT_EQ(SoundIndexOf(SoundTable::Event, ""), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Variant, ""), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Variant, "7"), -1);
    EXPECT_EQ(SoundIndexOf(SoundTable::Variant, "0"), 0);
    EXPECT_EQ(SoundIndexOf(SoundTable::Variant, "6"), 6);
}

// The rule: every non-empty name is reached by exactly one key, its upper-case form, except
// "gene" (key "GEN") and the terrains 40 to 60 (key "SND_" and the upper-case form).
TEST(SoundTables, EveryNameHasTheKeyOfTheRule) {
    const SoundTable tables[] = {SoundTable::Code, SoundTable::Subject, SoundTable::Event,
                                 SoundTable::Variant, SoundTable::Format};
    const SoundKeyMap* maps[] = {&SoundCodeIndex, &SoundSubjectIndex, &SoundEventIndex,
                                 &SoundVariantIndex, &SoundFormatIndex};
    for (int t = 0; t < 5; ++t) {
        for (int i = 0; i < SoundTableSize(tables[t]); ++i) {
            const std::string& name = *SoundNameAt(tables[t], i);
            if (name.empty())
                continue;
            std::string key = Upper(name);
            if (tables[t] == SoundTable::Subject && i == 11)
                key = "GEN";
            else if (tables[t] == SoundTable::Subject && i >= 40 && i <= 60)
                key = "SND_" + key;
            EXPECT_EQ(SoundIndexOf(tables[t], key), i) << key;
            int keysOfName = 0;
            for (const auto& entry : *maps[t])
                keysOfName += entry.second == i;
            EXPECT_EQ(keysOfName, 1) << name;
        }
    }
}

} // namespace
