// The game folder a command works in: the program's paths are relative to the working folder.
#pragma once

#include <string>

// Enters a folder for the lifetime of the object and returns to the previous one after.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& folder);
    ~WorkingFolder();
    // False when the folder could not be entered; the working folder is then unchanged.
    bool Entered() const { return entered; }

private:
    std::string previous;
    bool entered = false;
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
};
