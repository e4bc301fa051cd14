#include "Sound/SoundTables.h"

#include <gtest/gtest.h>
#include <map>

#include "TempDir.h"

TEST(SoundTables, EveryNameAndKeyIsWhereTheTableFileSays) {
    const std::map<std::string, SoundTable> tables = {{"Code", SoundTable::Code},
                                                      {"Subject", SoundTable::Subject},
                                                      {"Event", SoundTable::Event},
                                                      {"Variant", SoundTable::Variant},
                                                      {"Format", SoundTable::Format}};
    const SoundKeyMap* maps[] = {&SoundCodeIndex, &SoundSubjectIndex, &SoundEventIndex,
                                 &SoundVariantIndex, &SoundFormatIndex};
    std::map<SoundTable, int> names, keys;
    for (const auto& row : ReadTable(TEST_DATA "/tables.txt")) {
        SCOPED_TRACE(row[0] + " " + row[1] + " " + row[3]);
        const SoundTable table = tables.at(row[0]);
        const int index = std::stoi(row[1]);
        if (index >= 0) {
            ASSERT_NE(SoundNameAt(table, index), nullptr);
            EXPECT_EQ(*SoundNameAt(table, index), row[2]);
            ++names[table];
        }
        if (!row[3].empty()) {
            EXPECT_EQ(SoundIndexOf(table, row[3]), index);
            keys[table] += index >= 0;
        }
    }
    // Nothing beyond the rows: no further element and no further key.
    for (const auto& [name, table] : tables) {
        SCOPED_TRACE(name);
        EXPECT_EQ(SoundTableSize(table), names[table]);
        EXPECT_EQ(SoundNameAt(table, names[table]), nullptr);
        EXPECT_EQ(SoundNameAt(table, -1), nullptr);
        EXPECT_EQ(static_cast<int>(maps[static_cast<int>(table)]->size()), keys[table]);
    }
}
