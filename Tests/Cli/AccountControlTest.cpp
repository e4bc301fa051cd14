// Where Windows keeps the redirected copy of a file under a folder that only administrators
// may write.
#include <gtest/gtest.h>

#include "Cli/AccountControl.h"

TEST(AccountControl, TheVirtualStoreCopyIsTheFullPathWithoutItsDrive) {
    const std::string local = "C:\\Users\\Ann\\AppData\\Local";
    const std::string game = "C:\\Program Files (x86)\\Velmark\\Player\\Config.ini";
    const std::string copy =
        "C:\\Users\\Ann\\AppData\\Local\\VirtualStore\\Program Files (x86)\\Velmark\\Player\\"
        "Config.ini";
    const struct {
        std::string local, full, copy;
    } rows[] = {
        {local, game, copy},
        {local + "\\", game, copy},
        {"D:\\Local", "e:\\Games\\Config.ini", "D:\\Local\\VirtualStore\\Games\\Config.ini"},
        // Network paths are never redirected; nor is anything without the user's folder.
        {local, "\\\\server\\games\\Config.ini", ""},
        {local, "C:", ""},
        {local, "C:\\", ""},
        {local, "1:\\Config.ini", ""},
        {"", game, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(VirtualStorePath(row.local, row.full), row.copy) << row.local << " " << row.full;
}
