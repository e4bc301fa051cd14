// No account control outside Windows: access is the file's and the folder's permissions.
#include "Cli/AccountControl.h"

const char* const kAdministratorAdvice =
    "You may not write this file or create files in its folder: run the command as a user who "
    "may (the folder's owner, or root)";
