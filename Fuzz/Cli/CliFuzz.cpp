// One command of the command-line tool (show, get, set, preset, check or repair) on arbitrary
// bytes of Player\Config.ini, with up to three sound devices, for a Windows-1252 or a UTF-8
// console. The input is four bytes that choose the command, the device count and the console,
// the key and the length of a value, then that many bytes of value (for set), then the file.
//
// Checked: the exit code is 0 to 4; a command that fails, or one that only reads, leaves the
// file's bytes as they were; after a successful repair, check finds nothing the settings
// program would rebuild, show differently or write differently. The sanitizers catch any
// read or write outside a buffer.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Cli/CommandLine.h"
#include "Cli/SettingsRules.h"
#include "Platform/Posix/PosixHooks.h"
#include "Sound/ScriptedAudio.h"

namespace {

const char* const kCommands[] = {"show", "get", "set", "preset", "check", "repair"};

int SilentBox(HWND, LPCSTR, LPCSTR, UINT) {
    return IDOK;
}

void RemoveGameFolder();

// A game folder of its own, made once per process and removed at its end; in memory where
// possible, since every save flushes the file to its disk. Never destroyed, so that it
// outlives the removal.
const std::string& GameFolder() {
    static const std::string* const folder = [] {
        char memory[] = "/dev/shm/cli-fuzz.XXXXXX";
        char disk[] = "/tmp/cli-fuzz.XXXXXX";
        const char* made = mkdtemp(memory);
        if (made == nullptr && (made = mkdtemp(disk)) == nullptr)
            std::abort();
        const std::string player = std::string(made) + "/Player";
        if (mkdir(player.c_str(), 0755) != 0)
            std::abort();
        Platform::SetMessageBoxSink(SilentBox);
        std::atexit(RemoveGameFolder);
        return new std::string(made);
    }();
    return *folder;
}

void RemoveGameFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(GameFolder(), ignored);
}

std::string ConfigPath() {
    return GameFolder() + "/Player/Config.ini";
}

std::string ReadConfig() {
    std::ifstream in(ConfigPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int Run(const std::vector<std::string>& words, const ConsoleCodePages& pages, std::string& out) {
    std::vector<std::string> arguments = {"--game", GameFolder()};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::ostringstream printed, errors;
    int code = RunCommandLine(arguments, printed, errors, pages);
    out = printed.str();
    return code;
}

void Fail(const char* what, const std::string& command, const std::string& before,
          const std::string& output) {
    std::fprintf(stderr, "%s after '%s'\nfile before:\n%s\nprinted:\n%s\n", what, command.c_str(),
                 before.c_str(), output.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    const std::string command = kCommands[data[0] % 6];
    const int deviceCount = data[1] % 4;
    ConsoleCodePages pages;
    if (data[1] & 4)
        pages = {kUtf8CodePage, kUtf8CodePage};
    const std::vector<KnownKey>& keys = KnownKeys();
    const std::string key = keys[data[2] % keys.size()].key->key;
    const size_t valueLength = std::min<size_t>(data[3], size - 4);
    const std::string value(reinterpret_cast<const char*>(data) + 4, valueLength);
    const std::string file(reinterpret_cast<const char*>(data) + 4 + valueLength,
                           size - 4 - valueLength);

    std::vector<ScriptedAudio::Device> devices;
    for (int i = 0; i < deviceCount; ++i)
        devices.push_back({"Device " + std::to_string(i), true, i == 1});
    ScriptedAudio::Reset(devices);
    std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc) << file;

    std::vector<std::string> words = {command};
    if (command == "get")
        words.push_back(key);
    else if (command == "set")
        words.push_back(key + "=" + value);
    else if (command == "preset")
        words.push_back(data[3] % 2 ? "quality" : "performance");
    std::string output;
    const int code = Run(words, pages, output);
    if (code < 0 || code > 4)
        Fail("exit code out of range", command, file, output);
    const bool writes = command == "set" || command == "preset" || command == "repair";
    if ((code != 0 || !writes) && ReadConfig() != file)
        Fail("the file changed", command, file, output);
    if (command == "repair" && code == 0) {
        std::string findings;
        Run({"check"}, ConsoleCodePages(), findings);
        for (const char* kind : {"rebuild:", "unshowable:", "changed:"})
            if (findings.find(kind) != std::string::npos)
                Fail("check finds something after repair", command, file, findings);
    }
    return 0;
}
