// The French error table, the "CFileHarvel Error" box, and attributes, existence, deletion.
#include <fstream>

#include "HarvelTestSupport.h"

TEST(FileError, TableHoldsTheSeventeenTextsInWindows1252) {
    std::ifstream expected(HARVEL_FILE_ERRORS, std::ios::binary);
    ASSERT_TRUE(expected.is_open()) << HARVEL_FILE_ERRORS;
    std::string text;
    for (int code = 0; code < 17; ++code) {
        text.clear();
        std::getline(expected, text);
        EXPECT_EQ(FileErrorText(code), text) << "code " << code;
    }
    for (int code : {-1, 17, 1000})
        EXPECT_EQ(FileErrorText(code), "") << "code " << code;
}

TEST_F(HarvelTest, ReportComposesNameTableTextSystemTextAndSource) {
    CFileHarvel file(FileOpenDesc("Player\\Config.ini", kWrite, FILE_DISK, 2));
    const DWORD kNoText = 0x20001234; // application-defined: the system has no sentence for it
    const struct {
        CFileHarvel* file;
        int error;
        const char* source;
        DWORD code;
        std::string head;
    } rows[] = {
        {nullptr, FILE_ERROR_COPY, "Code\\Harvel\\Some.cpp", ERROR_FILE_NOT_FOUND,
         "Erreur lors d'une tentative de copie!\n"},
        {&file, FILE_ERROR_CLOSE, "x.cpp", ERROR_ACCESS_DENIED,
         "Player\\Config.ini\nProbleme a la fermeture du fichier!(Player\\Config.ini)\n"},
        {nullptr, FILE_ERROR_READ, "r.cpp", kNoText, "Erreur lors d'une tentative de lecture!\n"},
        {nullptr, FILE_ERROR_NONE, "", ERROR_SUCCESS, "\n"}, // no source, no position
    };
    ASSERT_EQ(SystemSentence(kNoText), "");
    for (const auto& row : rows) {
        SetLastError(row.code);
        ReportFileError(row.file, row.error, row.source, 12);
        const std::string place = *row.source ? "voir: " + std::string(row.source) + "(12)" : "";
        ASSERT_EQ(BoxCount(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
        EXPECT_EQ(boxes.Boxes()[0].style, 0x1030u);
        EXPECT_EQ(boxes.Boxes()[0].text,
                  row.head + "WIN ERROR MESSAGE: " + SystemSentence(row.code) + place + "\n");
        boxes.Clear();
    }
}

TEST_F(HarvelTest, AttributeExistenceAndDeleteFunctionsFollowTheSystem) {
    TempDir::WriteFile("ro.txt", "x");
    TempDir::SetReadOnly("ro.txt", true);
    TempDir::WriteFile("Data/Ini/English/Strings.ini", "x");
    // "<result> <value>" of FileGetAttribute, the value starting at 77.
    auto attribute = [](const char* path, int which) {
        DWORD value = 77;
        int result = FileGetAttribute(path, which, &value);
        return std::to_string(result) + " " + std::to_string(value);
    };
    const char* strings = "Data\\Ini\\English\\Strings.ini";
    EXPECT_EQ(attribute("ro.txt", FILE_ATTR_READONLY), "1 1");
    EXPECT_EQ(attribute(strings, FILE_ATTR_READONLY), "1 0");
    EXPECT_EQ(attribute("Data", FILE_ATTR_DIRECTORY), "1 1");
    EXPECT_EQ(attribute(strings, FILE_ATTR_DIRECTORY), "1 0");
    for (int which : {3, 0})
        EXPECT_EQ(attribute(strings, which), "0 77");
    for (const char* path : {"missing.txt", ""})
        EXPECT_EQ(attribute(path, FILE_ATTR_READONLY), "0 77");

    const struct {
        int which, set, result;
        bool readOnlyAfter;
    } changes[] = {{1, 0, 1, false}, {1, 1, 1, true}, {1, 1, 1, true},
                   {0, 1, 0, true},  {4, 0, 0, true}, {1, 0, 1, false}};
    for (const auto& change : changes) {
        EXPECT_EQ(FileSetAttributes(strings, change.which, change.set), change.result);
        EXPECT_EQ(TempDir::IsReadOnly("Data/Ini/English/Strings.ini"), change.readOnlyAfter);
    }
    EXPECT_EQ(FileSetAttributes("missing.txt", FILE_ATTR_READONLY, 1), 0);

    for (const char* path : {"Data", "Data\\Ini\\English", strings, "Data\\Ini\\English\\*.ini"})
        EXPECT_EQ(FileExists(path), 1) << path;
    for (const char* path : {"Data\\Ini\\English\\*.txt", "Data\\Ini\\Klingon", "missing.txt", ""})
        EXPECT_EQ(FileExists(path), 0) << path;
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_EQ(FileDelete(strings), 1);
    EXPECT_FALSE(TempDir::Exists("Data/Ini/English/Strings.ini"));
    EXPECT_EQ(FileDelete(strings), 0);
    ExpectBox("Erreur lors d'une tentative de suppression!\n", ERROR_FILE_NOT_FOUND,
              "CFileHarvel_WIN.cpp");
}
