#include "Cli/AccountControl.h"

const char* const kAdministratorAdvice =
    "Windows lets only administrators write in this game folder: open a command prompt with "
    "\"Run as administrator\" (right-click Command Prompt in the Start menu), go to the game "
    "folder and run the command there again";
