// Where Windows keeps the copy of a file it virtualizes, and which folders it virtualizes.
#include <gtest/gtest.h>

#include "Setup/VirtualStore.h"
#include "TempDir.h"

TEST(VirtualStore, TheCopyIsTheFullPathWithoutItsDriveUnderWholeFolders) {
    ExpectEachRow(VELMARK_SOURCE_ROOT "/Tests/Setup/data/virtual_store.txt", [](const Row& row) {
        return row[0] == "copy" ? NarrowPath(VirtualStorePath(Wide(row[1]), Wide(row[2])), 65001)
                                : std::to_string(IsUnderFolder(Wide(row[1]), Wide(row[2])));
    });
}
