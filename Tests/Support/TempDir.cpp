#include "TempDir.h"

#include "Platform/Win32.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        // text[size()] is the terminating NUL, which is no escape code.
        const size_t code = text[i] == '\\' ? std::string("rnt0\\x").find(text[i + 1]) : 6;
        if (code == 5) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else if (code < 5) {
            out += "\r\n\t\0\\"[code];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int size = static_cast<int>(text.size());
    wide.resize(size ? MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], size) : 0);
    return wide;
}

TempDir::TempDir() : previous(fs::current_path().string()) {
    static unsigned counter = 0;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    path = (fs::temp_directory_path() /
            ("velmark-test-" + std::to_string(ticks) + "-" + std::to_string(++counter)))
               .string();
    fs::create_directories(path);
    fs::current_path(path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
    // Read-only files would stop the removal on Windows.
    for (auto& entry : fs::recursive_directory_iterator(path, ignored))
        SetReadOnly(entry.path().string(), false);
    fs::remove_all(path, ignored);
}

void TempDir::WriteFile(const std::string& relPath, const std::string& bytes) {
    if (fs::path(relPath).has_parent_path())
        fs::create_directories(fs::path(relPath).parent_path());
    if (!std::ofstream(relPath, std::ios::binary)
             .write(bytes.data(), std::streamsize(bytes.size())))
        throw std::runtime_error("cannot write test file " + relPath);
}

std::string TempDir::ReadFile(const std::string& relPath) {
    std::ifstream in(relPath, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read test file " + relPath);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool TempDir::Exists(const std::string& relPath) {
    return fs::exists(relPath);
}

void TempDir::MakeDir(const std::string& relPath) {
    fs::create_directories(relPath);
}

void TempDir::SetReadOnly(const std::string& relPath, bool readOnly) {
    std::error_code ignored;
    fs::permissions(relPath,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add, ignored);
}

bool TempDir::IsReadOnly(const std::string& relPath) {
    return (fs::status(relPath).permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::vector<Row> ReadTable(const std::string& path) {
    std::istringstream text(TempDir::ReadFile(path));
    std::vector<Row> rows;
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        rows.emplace_back();
        std::istringstream fields(line + "\t"); // so that an empty last field counts
        for (std::string field; std::getline(fields, field, '\t');)
            rows.back().push_back(Unescape(field));
    }
    return rows;
}
