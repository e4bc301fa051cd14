// Where Windows keeps the copy of a file it virtualizes, and which folders it virtualizes.
#include <gtest/gtest.h>

#include "Setup/VirtualStore.h"

TEST(VirtualStore, TheCopyIsTheFullPathWithoutItsDrive) {
    const std::wstring local = L"C:\\Users\\\u0141ukasz\\AppData\\Local";
    const std::wstring game = L"C:\\Program Files (x86)\\\u65e5\u672c\\Player\\Config.ini";
    const std::wstring copy =
        L"C:\\Users\\\u0141ukasz\\AppData\\Local\\VirtualStore\\Program Files (x86)\\\u65e5\u672c"
        L"\\Player\\Config.ini";
    const struct {
        std::wstring local, full, copy;
    } rows[] = {
        {local, game, copy},
        {local + L"\\", game, copy},
        {L"D:\\Local", L"e:\\Games\\Config.ini", L"D:\\Local\\VirtualStore\\Games\\Config.ini"},
        // Network paths are never redirected; nor is anything without the user's folder.
        {local, L"\\\\server\\games\\Config.ini", L""},
        {local, L"C:", L""},
        {local, L"C:\\", L""},
        {local, L"1:\\Config.ini", L""},
        {L"", game, L""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(VirtualStorePath(row.local, row.full), row.copy)
            << NarrowPath(row.local, 65001) << " " << NarrowPath(row.full, 65001);
}

TEST(VirtualStore, AFolderHoldsWholeComponentsInAnyCase) {
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
        bool under;
    } rows[] = {
        {L"C:\\Program Files\\Velmark\\Player\\Config.ini", L"C:\\Program Files", true},
        {L"c:\\PROGRAM FILES\\Velmark\\Config.ini", L"C:\\Program Files\\", true},
        {L"C:\\Program Files", L"C:\\Program Files", true},
        {L"C:\\Program Files (x86)\\Velmark\\Config.ini", L"C:\\Program Files", false},
        {L"C:\\Program FilesX\\Config.ini", L"C:\\Program Files", false},
        {L"C:\\Program\\Config.ini", L"C:\\Program Files", false},
        {L"D:\\Program Files\\Config.ini", L"C:\\Program Files", false},
        {L"C:\\Games\\Config.ini", L"", false},
        {L"C:\\Games\\Config.ini", L"\\", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsUnderFolder(row.path, row.folder), row.under)
            << NarrowPath(row.path, 65001) << " in " << NarrowPath(row.folder, 65001);
}
