#include "Sound/SoundTables.h"

#include <gtest/gtest.h>
#include <map>

#include "TempDir.h"

TEST(SoundTables, EveryNameAndKeyIsWhereTheTableFileSays) {
    const std::map<std::string, std::pair<SoundTable, const SoundKeyMap*>> tables = {
        {"Code", {SoundTable::Code, &SoundCodeIndex}},
        {"Subject", {SoundTable::Subject, &SoundSubjectIndex}},
        {"Event", {SoundTable::Event, &SoundEventIndex}},
        {"Variant", {SoundTable::Variant, &SoundVariantIndex}},
        {"Format", {SoundTable::Format, &SoundFormatIndex}}};
    ExpectEachRow(TEST_DATA "/tables.txt", [&tables](const Row& row) {
        const auto [table, keys] = tables.at(row[0]);
        const int size = SoundTableSize(table);
        if (row[1] == "size") {
            EXPECT_EQ(SoundNameAt(table, -1), nullptr);
            EXPECT_EQ(SoundNameAt(table, size), nullptr);
            return std::to_string(size) + " names " + std::to_string(keys->size()) + " keys";
        }
        const int index = std::stoi(row[3]);
        const std::string* name = SoundNameAt(table, index);
        EXPECT_EQ(name ? *name : "<none>", index < 0 ? "<none>" : row[2]);
        return row[1].empty() ? row[3] : std::to_string(SoundIndexOf(table, row[1]));
    });
}
