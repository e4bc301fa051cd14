#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

fs::path NewFolderName() {
    static unsigned counter = 0;
    auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::ostringstream name;
    name << "velmark-test-" << ticks << "-" << ++counter;
    return fs::temp_directory_path() / name.str();
}

} // namespace

TempDir::TempDir() {
    fs::path folder = NewFolderName();
    fs::create_directories(folder);
    path = folder.string();
    previous = fs::current_path().string();
    fs::current_path(folder);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    // Read-only files would stop the removal on Windows.
    for (auto& entry : fs::recursive_directory_iterator(path, ignored))
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
}

void TempDir::WriteFile(const std::string& relPath, const std::string& bytes) {
    fs::path p(relPath);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write test file " + relPath);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::ReadFile(const std::string& relPath) {
    std::ifstream in(relPath, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read test file " + relPath);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool TempDir::Exists(const std::string& relPath) {
    return fs::exists(relPath);
}

void TempDir::MakeDir(const std::string& relPath) {
    fs::create_directories(relPath);
}

void TempDir::SetReadOnly(const std::string& relPath, bool readOnly) {
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (readOnly)
        fs::permissions(relPath, write, fs::perm_options::remove);
    else
        fs::permissions(relPath, fs::perms::owner_write, fs::perm_options::add);
}

bool TempDir::IsReadOnly(const std::string& relPath) {
    return (fs::status(relPath).permissions() & fs::perms::owner_write) == fs::perms::none;
}
