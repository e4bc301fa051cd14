// The file object's French error table and its error box.
#include "Harvel/CFileHarvel.h"

#include "App/Report.h"
#include "App/StringUtil.h"

namespace {

// Windows-1252 bytes: E9 is e acute, E8 is e grave.
const char* const kTexts[FILE_ERROR_COUNT] = {
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

struct ErrorTable {
    std::string texts[FILE_ERROR_COUNT];
    ErrorTable() {
        for (int i = 0; i < FILE_ERROR_COUNT; ++i)
            texts[i] = kTexts[i];
    }
};

// Built on first use, so a report made while other statics are being built still finds it.
const ErrorTable& Table() {
    static const ErrorTable table;
    return table;
}

// Builds the table during start-up, before WinMain, as the rest of the program expects.
const bool kTableBuilt = (Table(), true);

// The system's sentence for `code` (with its own CR LF), or the empty text when it has none.
std::string SystemText(DWORD code) {
    LPSTR buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                      FORMAT_MESSAGE_FROM_SYSTEM,
                                  nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr)
        text.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);
    return text;
}

} // namespace

const std::string& FileErrorText(int code) {
    static const std::string empty;
    if (code < 0 || code >= FILE_ERROR_COUNT)
        return empty;
    return Table().texts[code];
}

void ReportFileError(const CFileHarvel* file, int code, const std::string& sourceFile, int line) {
    // First, before any call below can change it.
    DWORD lastError = GetLastError();

    std::string text;
    if (file != nullptr)
        text = file->GetName() + "\n" + FileErrorText(code) + "(" + file->GetName() + ")\n";
    else
        text = FileErrorText(code) + "\n";
    text += "WIN ERROR MESSAGE: " + SystemText(lastError);
    if (!sourceFile.empty()) {
        std::string position;
        StringFormat(position, "%s(%i)", sourceFile.c_str(), line);
        text += "voir: " + position;
    }
    text += "\n";
    ShowMessage(text, "CFileHarvel Error");
}
