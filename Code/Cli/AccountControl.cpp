#include "Cli/AccountControl.h"

std::string ShadowingCopyNote(const std::string& copy) {
    return "programs run without administrator rights, the game among them, read and write the "
           "copy " +
           copy +
           " instead; show, get, set, preset, repair and the settings dialog read that copy and "
           "write it as well as this file";
}
