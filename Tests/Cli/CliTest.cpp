// The command-line tool, driven in-process in a copy of the sample game folder: each row sets
// up a settings file (the hand-written defaults with edits), runs one command line, and checks
// the exit code, what was printed and the settings file afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "BoxCapture.h"
#include "Cli/CommandLine.h"
#include "Cli/Console.h"
#include "Cli/ConsoleText.h"
#include "Ini/CIniFile.h"
#include "Sound/ScriptedAudio.h"
#include "TempDir.h"

namespace {

using Doc = std::map<std::string, std::map<std::string, std::string>>;
const char* const kConfig = "Player/Config.ini";
const std::string kRoot = VELMARK_SOURCE_ROOT;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Doc Parse(const std::string& bytes) {
    CIniFile ini;
    ini.Parse(bytes.data(), bytes.size());
    Doc doc;
    for (const auto& section : ini.Sections())
        for (const auto& key : section.second->Keys())
            doc[section.first][key.first] = key.second;
    return doc;
}

std::string Unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size())
            out += text[i];
        else if (text[++i] == 'n')
            out += '\n';
        else if (text[i] == 'x')
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else
            out += text[i];
    }
    return out;
}

// The defaults with edits: "KEY=V" (OPTIONS), "SECTION/KEY=V", "-KEY" or "-SECTION/KEY".
Doc Edited(const std::string& edits) {
    Doc doc = Parse(Slurp(kRoot + "/Tests/Setup/data/default_config.ini"));
    std::istringstream words(edits);
    for (std::string word; words >> word;) {
        word = Unescaped(word);
        bool erase = word[0] == '-';
        std::string path = word.substr(erase, word.find('=') - erase);
        std::string section =
            path.find('/') == std::string::npos ? "OPTIONS" : path.substr(0, path.find('/'));
        std::string key = path.substr(path.find('/') + 1);
        if (erase)
            doc[section].erase(key);
        else
            doc[section][key] = word.substr(word.find('=') + 1);
    }
    return doc;
}

std::string Text(const Doc& doc) {
    std::string text;
    for (const auto& section : doc) {
        text += "[" + section.first + "]\r\n";
        for (const auto& key : section.second)
            text += key.first + " = \"" + key.second + "\"\r\n";
    }
    return text;
}

std::string Trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    return begin == std::string::npos ? ""
                                      : text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
}

// One line of cases.txt.
struct Row {
    std::vector<std::string> args;
    std::string setup, out, err, after, devices, extra;
    int exit = 0;
    int line = 0;
};

std::vector<Row> Rows() {
    std::vector<Row> rows;
    std::ifstream in(kRoot + "/Tests/Cli/cases.txt");
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        if (++number, line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        // Settings edits are unescaped word by word (Edited), so that \x20 stays in its value.
        for (std::string field; std::getline(parts, field, '|');)
            fields.push_back(fields.size() == 1 || fields.size() == 5 ? Trimmed(field)
                                                                      : Unescaped(Trimmed(field)));
        fields.resize(8);
        Row row{{},        fields[1], fields[3], fields[4],
                fields[5], fields[6], fields[7], std::stoi(fields[2]),
                number};
        std::istringstream words(fields[0]);
        for (std::string word; words >> word;)
            row.args.push_back(word);
        rows.push_back(row);
    }
    return rows;
}

// Scripted sound devices: "A,!B,C+" (! fails to open, + offers EAX).
std::vector<ScriptedAudio::Device> Devices(const std::string& list) {
    std::vector<ScriptedAudio::Device> devices;
    std::istringstream names(list);
    for (std::string name; std::getline(names, name, ',');) {
        bool fails = name[0] == '!', eax = name.back() == '+';
        devices.push_back({name.substr(fails, name.size() - fails - eax), !fails, eax});
    }
    return devices;
}

// Runs one row in a fresh copy of the sample game folder.
void Check(const Row& row) {
    SCOPED_TRACE("cases.txt line " + std::to_string(row.line));
    TempDir dir;
    std::filesystem::copy(kRoot + "/SampleGame", ".", std::filesystem::copy_options::recursive);
    const bool absent = row.setup == "absent";
    const std::string before = row.setup == "empty" ? "" : Text(Edited(row.setup));
    if (!absent)
        TempDir::WriteFile(kConfig, before);
    if (row.extra == "ro")
        TempDir::SetReadOnly(kConfig, true);
    if (row.extra == "novarious")
        std::filesystem::remove("DATA/INI/Various.ini");
    if (row.extra.rfind("strings:", 0) == 0)
        std::ofstream("DATA/INI/LocalizedStrings.ini", std::ios::app) << row.extra.substr(8);
    if (row.extra.rfind("various:", 0) == 0)
        std::ofstream("DATA/INI/Various.ini", std::ios::app) << row.extra.substr(8);
    ScriptedAudio::Reset(Devices(row.devices));
    std::ostringstream out, err;
    BoxCapture boxes;
    ConsoleCodePages pages;
    if (row.extra == "utf8")
        pages = {kUtf8CodePage, kUtf8CodePage};
    EXPECT_EQ(RunCommandLine(row.args, out, err, pages), row.exit);
    if (row.out != "*") {
        EXPECT_EQ(out.str(), row.out[0] == '@' ? Slurp(kRoot + "/Tests/Cli/expected/" +
                                                       row.out.substr(1) + ".txt")
                                               : row.out);
    }
    EXPECT_NE(err.str().find(row.err), std::string::npos) << err.str();
    EXPECT_TRUE(!row.err.empty() || err.str().empty()) << err.str();
    if (row.after != "=") {
        EXPECT_EQ(Parse(TempDir::ReadFile(kConfig)), Edited(row.after));
    } else {
        EXPECT_EQ(TempDir::Exists(kConfig), !absent);
        EXPECT_EQ(absent ? "" : TempDir::ReadFile(kConfig), absent ? "" : before);
    }
}

TEST(Cli, EachCommandLineGivesItsExitCodeOutputAndFile) {
    // Natively the system's code page is the locale's: the rows' device names are Windows-1252.
    putenv(const_cast<char*>("LC_ALL=C"));
    for (const Row& row : Rows())
        Check(row);
}

TEST(Cli, TextChangesCodePageAndSaysWhatItCouldNotKeep) {
    // The system's own conversions in the Windows build, the platform layer's natively.
    const unsigned k1252 = kFileCodePage, kUtf8 = kUtf8CodePage;
    const struct {
        std::string bytes;
        unsigned from, to;
        std::string converted;
        bool lossless;
    } rows[] = {
        {"Zo\xEB \x80 \x9C", k1252, kUtf8, "Zo\xC3\xAB \xE2\x82\xAC \xC5\x93", true},
        {"Zo\xC3\xAB \xE2\x82\xAC \xC5\x93", kUtf8, k1252, "Zo\xEB \x80 \x9C", true},
        {"a\x81z", k1252, kUtf8, "a\xEF\xBF\xBDz", false},
        {"a\x81z", k1252, k1252, "a?z", false},
        {"Zo\xC4\x93", kUtf8, k1252, "Zo?", false},
        {"\xF0\x9F\x8E\xAE.", kUtf8, k1252, "??.", false},
        {"\xC3(", kUtf8, kUtf8, "\xEF\xBF\xBD(", false},
        {"\xF0\x9F\x8E\xAE", kUtf8, kUtf8, "\xF0\x9F\x8E\xAE", true},
        {std::string("a\0b", 3), k1252, kUtf8, std::string("a\0b", 3), true},
        {"", kUtf8, k1252, "", true},
    };
    for (const auto& row : rows) {
        bool lossless = !row.lossless;
        EXPECT_EQ(Recode(row.bytes, row.from, row.to, &lossless), row.converted) << row.bytes;
        EXPECT_EQ(lossless, row.lossless) << row.bytes;
    }
}

TEST(Cli, EveryCommandHasHelpAndTheProgramAVersion) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"--version"}, out, err), 0);
    EXPECT_EQ(out.str(), VELMARK_CLI_NAME " 1.0\n");
    for (const char* command : {"show", "get", "set", "preset", "check", "repair", "devices"}) {
        EXPECT_EQ(RunCommandLine({command, "--help"}, out, err), 0);
        EXPECT_NE(out.str().find(std::string("Usage: " VELMARK_CLI_NAME " ") + command),
                  std::string::npos);
    }
    EXPECT_EQ(err.str(), "");
}

} // namespace
