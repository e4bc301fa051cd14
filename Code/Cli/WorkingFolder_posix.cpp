#include "Cli/WorkingFolder.h"

#include <unistd.h>

#include <vector>

WorkingFolder::WorkingFolder(const std::string& folder, unsigned) {
    std::vector<char> buffer(4096);
    if (getcwd(buffer.data(), buffer.size()) == nullptr)
        return;
    previous = buffer.data();
    entered = chdir(folder.c_str()) == 0;
}

WorkingFolder::~WorkingFolder() {
    if (entered && chdir(previous.c_str()) != 0)
        entered = false;
}
