#include "Sound/SoundTables.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "TempDir.h"

TEST(SoundTables, EveryNameAndKeyIsWhereTheTableFileSays) {
    const std::string names[] = {"Code", "Subject", "Event", "Variant", "Format"};
    const SoundKeyMap* maps[] = {&SoundCodeIndex, &SoundSubjectIndex, &SoundEventIndex,
                                 &SoundVariantIndex, &SoundFormatIndex};
    ExpectEachRow(TEST_DATA "/tables.txt", [&](const Row& row) {
        const int t = static_cast<int>(std::find(names, names + 5, row[0]) - names);
        const SoundTable table = static_cast<SoundTable>(t);
        const int size = SoundTableSize(table);
        if (row[1] == "size") {
            EXPECT_EQ(SoundNameAt(table, -1), nullptr);
            EXPECT_EQ(SoundNameAt(table, size), nullptr);
            return std::to_string(size) + " names " + std::to_string(maps[t]->size()) + " keys";
        }
        const int index = std::stoi(row[3]);
        const std::string* name = SoundNameAt(table, index);
        EXPECT_EQ(name ? *name : "<none>", index < 0 ? "<none>" : row[2]);
        return row[1].empty() ? row[3] : std::to_string(SoundIndexOf(table, row[1]));
    });
}
