// What Windows' account control means for the tool: the advice for a game folder that only
// administrators may write, and what `check` says of the VirtualStore copy that programs
// without administrator rights see in place of the settings file (Setup/SettingsStore.h).
#pragma once

#include <string>

// What to do when the settings file could not be written for lack of rights.
extern const char* const kAdministratorAdvice;

// What `check` reports about the copy `copy` that shadows the settings file.
std::string ShadowingCopyNote(const std::string& copy);
