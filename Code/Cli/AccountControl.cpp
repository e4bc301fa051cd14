#include "Cli/AccountControl.h"

#include <cctype>

std::string VirtualStorePath(const std::string& localAppData, const std::string& fullPath) {
    const bool drive = fullPath.size() > 3 &&
                       std::isalpha(static_cast<unsigned char>(fullPath[0])) &&
                       fullPath[1] == ':' && fullPath[2] == '\\';
    if (localAppData.empty() || !drive)
        return std::string();
    const bool separated = localAppData.back() == '\\' || localAppData.back() == '/';
    return localAppData + (separated ? "" : "\\") + "VirtualStore\\" + fullPath.substr(3);
}

std::string ShadowingCopyNote(const std::string& copy) {
    return "programs run without administrator rights, the game among them, read and write the "
           "copy " +
           copy + " instead; keep the values you want in this file and delete that copy";
}
