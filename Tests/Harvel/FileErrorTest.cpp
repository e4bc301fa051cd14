// The French error table, the "CFileHarvel Error" box, and attributes, existence, deletion.
#include "HarvelTestSupport.h"

TEST(FileError, TableHoldsTheSeventeenTextsInWindows1252) {
    const char* const expected[17] = {
        "Probleme a l'ouverture du fichier! Fichier inexistant?",
        "Erreur lors d'une tentative d'ouverture: READWRITE non autoris\xE9!",
        "Probleme a la fermeture du fichier!",
        "Erreur lors d'une tentative de lecture!",
        "Erreur lors d'une tentative d'ecriture!",
        "Erreur lors d'un SetPosition!",
        "Erreur lors d'un GetPosition!",
        "Erreur lors d'une tentative de suppression!",
        "Erreur lors d'une tentative de copie!",
        "Erreur lors d'une tentative de renommage/deplacement!",
        "Erreur lors d'une tentative de recherche de fichiers!",
        "Probleme: SetPos depuis fin non autorise en mode determination de taille!",
        "Probleme: Pointeur memoire non valide!",
        "Probleme: Zone memoire pour operation memoire non allouee correctement!",
        "Probleme: Erreur dans le passage des param\xE8tres!",
        "Probleme: Lors de la copie memoire du fichier ouvert en mode dump.",
        "",
    };
    for (int code = 0; code < 17; ++code)
        EXPECT_EQ(FileErrorText(code), expected[code]) << "code " << code;
    // The accented letters are single bytes, not UTF-8 pairs.
    EXPECT_EQ(FileErrorText(1).size(), 64u);
    for (int code : {-1, 17, 1000})
        EXPECT_EQ(FileErrorText(code), "") << "code " << code;
}

TEST_F(HarvelTest, ReportComposesNameTableTextSystemTextAndSource) {
    CFileHarvel file(FileOpenDesc("Player\\Config.ini", FILE_ACCESS_WRITE, FILE_DISK, 2));
    const DWORD kNoText = 0x20001234; // application-defined: the system has no sentence for it
    ASSERT_EQ(SystemSentence(kNoText), "");
    const std::string notFound = SystemSentence(ERROR_FILE_NOT_FOUND);
    const struct {
        CFileHarvel* file;
        int error;
        const char* source;
        DWORD code;
        std::string text;
    } rows[] = {
        {nullptr, FILE_ERROR_COPY, "Code\\Harvel\\Some.cpp", ERROR_FILE_NOT_FOUND,
         "Erreur lors d'une tentative de copie!\nWIN ERROR MESSAGE: " + notFound +
             "voir: Code\\Harvel\\Some.cpp(12)\n"},
        {&file, FILE_ERROR_CLOSE, "x.cpp", ERROR_ACCESS_DENIED,
         "Player\\Config.ini\nProbleme a la fermeture du fichier!(Player\\Config.ini)\n"
         "WIN ERROR MESSAGE: " +
             SystemSentence(ERROR_ACCESS_DENIED) + "voir: x.cpp(12)\n"},
        {nullptr, FILE_ERROR_READ, "r.cpp", kNoText,
         "Erreur lors d'une tentative de lecture!\nWIN ERROR MESSAGE: voir: r.cpp(12)\n"},
        {nullptr, FILE_ERROR_NONE, "", ERROR_SUCCESS,
         "\nWIN ERROR MESSAGE: " + SystemSentence(ERROR_SUCCESS) + "\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        boxes.Clear();
        SetLastError(row.code);
        ReportFileError(row.file, row.error, row.source, 12);
        ASSERT_EQ(BoxCount(), 1u);
        EXPECT_EQ(Box(0).caption, "CFileHarvel Error");
        EXPECT_EQ(Box(0).style, 0x1030u);
        EXPECT_EQ(Box(0).text, row.text);
    }
}

TEST_F(HarvelTest, GetAttributeTellsReadOnlyAndDirectoryOrLeavesTheValue) {
    TempDir::WriteFile("ro.txt", "x");
    TempDir::SetReadOnly("ro.txt", true);
    TempDir::WriteFile("rw.txt", "x");
    TempDir::MakeDir("Folder");
    // "<result> <value>", the value starting at 77.
    auto attribute = [](const char* path, DWORD which) {
        DWORD value = 77;
        int result = FileGetAttribute(path, which, &value);
        return std::to_string(result) + " " + std::to_string(value);
    };
    EXPECT_EQ(attribute("ro.txt", FILE_ATTR_READONLY), "1 1");
    EXPECT_EQ(attribute("rw.txt", FILE_ATTR_READONLY), "1 0");
    EXPECT_EQ(attribute("Folder", FILE_ATTR_DIRECTORY), "1 1");
    EXPECT_EQ(attribute("rw.txt", FILE_ATTR_DIRECTORY), "1 0");
    EXPECT_EQ(attribute("missing.txt", FILE_ATTR_READONLY), "0 77");
    EXPECT_EQ(attribute("", FILE_ATTR_READONLY), "0 77");
    EXPECT_EQ(attribute("rw.txt", 3), "0 77");
    EXPECT_EQ(attribute("rw.txt", 0), "0 77");
}

TEST_F(HarvelTest, SetAttributesChangesOnlyTheReadOnlyAttribute) {
    TempDir::WriteFile("f.txt", "x");
    EXPECT_EQ(FileSetAttributes("f.txt", FILE_ATTR_READONLY, 0), 1); // nothing to change
    EXPECT_NE(FileSetAttributes("f.txt", FILE_ATTR_READONLY, 1), 0);
    EXPECT_TRUE(TempDir::IsReadOnly("f.txt"));
    EXPECT_EQ(FileSetAttributes("f.txt", FILE_ATTR_READONLY, 1), 1);
    EXPECT_NE(FileSetAttributes("f.txt", FILE_ATTR_READONLY, 0), 0);
    EXPECT_FALSE(TempDir::IsReadOnly("f.txt"));
    EXPECT_EQ(TempDir::ReadFile("f.txt"), "x");
    EXPECT_EQ(FileSetAttributes("missing.txt", FILE_ATTR_READONLY, 1), 0);
    EXPECT_EQ(FileSetAttributes("f.txt", 0, 1), 0);
    EXPECT_EQ(FileSetAttributes("f.txt", 4, 1), 0);
    EXPECT_FALSE(TempDir::IsReadOnly("f.txt"));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, ExistsFindsFilesFoldersAndPatterns) {
    TempDir::MakeDir("Data/Ini/English");
    TempDir::WriteFile("Data/Ini/English/Strings.ini", "x");
    for (const char* path : {"Data", "Data\\Ini\\English", "Data\\Ini\\English\\Strings.ini",
                             "Data\\Ini\\English\\*.ini"})
        EXPECT_EQ(FileExists(path), 1) << path;
    for (const char* path : {"Data\\Ini\\English\\*.txt", "Data\\Ini\\Klingon", "missing.txt", ""})
        EXPECT_EQ(FileExists(path), 0) << path;
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, DeleteRemovesAFileOrShowsErrorSeven) {
    TempDir::WriteFile("old.txt", "x");
    EXPECT_EQ(FileDelete("old.txt"), 1);
    EXPECT_FALSE(TempDir::Exists("old.txt"));
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_EQ(FileDelete("old.txt"), 0);
    ExpectFileErrorBox("Erreur lors d'une tentative de suppression!\n", ERROR_FILE_NOT_FOUND,
                       "CFileHarvel_WIN.cpp");
}
