// The French error table and the composition of the "CFileHarvel Error" box.
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
    EXPECT_EQ(static_cast<unsigned char>(FileErrorText(1)[62]), 0xE9);
    EXPECT_EQ(static_cast<unsigned char>(FileErrorText(14).at(42)), 0xE8);
}

TEST(FileError, CodesOutsideTheTableGiveTheEmptyText) {
    EXPECT_EQ(FileErrorText(-1), "");
    EXPECT_EQ(FileErrorText(17), "");
    EXPECT_EQ(FileErrorText(1000), "");
}

TEST_F(HarvelTest, ReportWithoutAFileStartsWithTheTableText) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    ReportFileError(nullptr, FILE_ERROR_COPY, "Code\\Harvel\\Some.cpp", 12);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Box(0).caption, kCaption);
    EXPECT_EQ(Box(0).style, kBoxStyle);
    EXPECT_EQ(Box(0).text, std::string("Erreur lors d'une tentative de copie!\n") +
                               "WIN ERROR MESSAGE: " + SystemSentence(ERROR_FILE_NOT_FOUND) +
                               "voir: Code\\Harvel\\Some.cpp(12)\n");
}

TEST_F(HarvelTest, ReportNamesTheFileTwice) {
    CFileHarvel file(FileOpenDesc("Player\\Config.ini", FILE_ACCESS_WRITE, FILE_DISK, 2));
    SetLastError(ERROR_ACCESS_DENIED);
    ReportFileError(&file, FILE_ERROR_CLOSE, "x.cpp", 7);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Box(0).text, std::string("Player\\Config.ini\n") +
                               "Probleme a la fermeture du fichier!(Player\\Config.ini)\n" +
                               "WIN ERROR MESSAGE: " + SystemSentence(ERROR_ACCESS_DENIED) +
                               "voir: x.cpp(7)\n");
}

TEST_F(HarvelTest, ReportOfACodeWithoutSystemTextShowsAnEmptyText) {
    // An application-defined code: the system has no sentence for it.
    const DWORD kNoText = 0x20001234;
    ASSERT_EQ(SystemSentence(kNoText), "");
    SetLastError(kNoText);
    ReportFileError(nullptr, FILE_ERROR_READ, "r.cpp", 3);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Box(0).text, "Erreur lors d'une tentative de lecture!\n"
                           "WIN ERROR MESSAGE: voir: r.cpp(3)\n");
}

TEST_F(HarvelTest, ReportWithoutSourceFileEndsWithTheLineFeed) {
    SetLastError(ERROR_SUCCESS);
    ReportFileError(nullptr, FILE_ERROR_NONE, "", 99);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Box(0).text, "\nWIN ERROR MESSAGE: " + SystemSentence(ERROR_SUCCESS) + "\n");
}
