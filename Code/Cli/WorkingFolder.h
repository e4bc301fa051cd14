// The game folder a command works in: the program's paths are relative to the working folder.
#pragma once

#include <string>

// Enters a folder for the lifetime of the object and returns to the previous one after.
class WorkingFolder {
public:
    // `folder` is named in code page `codePage` (Cli/ConsoleText.h). Windows enters it through
    // the wide calls, so any name can be reached; natively the name is used as given.
    WorkingFolder(const std::string& folder, unsigned codePage);
    ~WorkingFolder();
    // False when the folder could not be entered; the working folder is then unchanged.
    bool Entered() const { return entered; }

private:
    std::string previous; // natively as getcwd gives it; on Windows in UTF-8
    bool entered = false;
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
};
