// The command-line tool, driven in-process in a copy of the sample game folder: each row sets
// up a settings file (the hand-written defaults with edits), runs one command line, and checks
// the exit code, what was printed and the bytes of the settings file afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
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

Doc Parse(const std::string& bytes) {
    CIniFile ini;
    ini.Parse(bytes.data(), bytes.size());
    Doc doc;
    for (const auto& section : ini.Sections())
        for (const auto& key : section.second->Keys())
            doc[section.first][key.first] = key.second;
    return doc;
}

// The defaults with edits: "KEY=V" (OPTIONS), "SECTION/KEY=V", "-KEY" or "-SECTION/KEY".
Doc Edited(const std::string& edits) {
    Doc doc = Parse(TempDir::ReadFile(kRoot + "/Tests/Setup/data/default_config.ini"));
    std::istringstream words(edits);
    for (std::string word; words >> word;) {
        word = Unescape(word);
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

// The fields of a line of cases.txt.
enum Field { kArgs, kSetup, kExit, kOut, kErr, kAfter, kDevices, kExtra, kFields };

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
void Check(const std::vector<std::string>& row, int line) {
    SCOPED_TRACE("cases.txt line " + std::to_string(line));
    TempDir dir;
    std::filesystem::copy(kRoot + "/SampleGame", ".", std::filesystem::copy_options::recursive);
    const bool absent = row[kSetup] == "absent";
    const std::string before = row[kSetup] == "empty" ? "" : Text(Edited(row[kSetup]));
    if (!absent)
        TempDir::WriteFile(kConfig, before);
    if (row[kExtra] == "ro")
        TempDir::SetReadOnly(kConfig, true);
    if (row[kExtra] == "novarious")
        std::filesystem::remove("DATA/INI/Various.ini");
    if (row[kExtra].rfind("strings:", 0) == 0)
        std::ofstream("DATA/INI/LocalizedStrings.ini", std::ios::app) << row[kExtra].substr(8);
    if (row[kExtra].rfind("various:", 0) == 0)
        std::ofstream("DATA/INI/Various.ini") << row[kExtra].substr(8);
    ScriptedAudio::Reset(Devices(row[kDevices]));
    std::istringstream words(row[kArgs]);
    const std::vector<std::string> args(std::istream_iterator<std::string>(words), {});
    std::ostringstream out, err;
    BoxCapture boxes;
    ConsoleCodePages pages;
    if (row[kExtra] == "utf8")
        pages = {kUtf8CodePage, kUtf8CodePage};
    EXPECT_EQ(RunCommandLine(args, out, err, pages), std::stoi(row[kExit]));
    if (row[kOut][0] == '~')
        EXPECT_NE(out.str().find(row[kOut].substr(1)), std::string::npos) << out.str();
    else if (row[kOut] != "*") {
        EXPECT_EQ(out.str(), row[kOut][0] == '@'
                                 ? TempDir::ReadFile(kRoot + "/Tests/Cli/expected/" +
                                                     row[kOut].substr(1) + ".txt")
                                 : row[kOut]);
    }
    EXPECT_NE(err.str().find(row[kErr]), std::string::npos) << err.str();
    EXPECT_TRUE(!row[kErr].empty() || err.str().empty()) << err.str();
    if (row[kAfter] != "=") {
        // Byte for byte: layout, quoting, order and line ends are the writer's rules.
        const std::string expected = row[kAfter] == "defaults"
                                         ? "/Tests/Setup/data/default_config.ini"
                                         : "/Tests/Cli/expected/" + row[kAfter] + ".ini";
        EXPECT_EQ(TempDir::ReadFile(kConfig), TempDir::ReadFile(kRoot + expected));
    } else {
        EXPECT_EQ(TempDir::Exists(kConfig), !absent);
        EXPECT_EQ(absent ? "" : TempDir::ReadFile(kConfig), absent ? "" : before);
    }
}

TEST(Cli, EachCommandLineGivesItsExitCodeOutputAndFile) {
    // Natively the system's code page is the locale's: the rows' device names are Windows-1252.
    putenv(const_cast<char*>("LC_ALL=C"));
    std::istringstream in(TempDir::ReadFile(kRoot + "/Tests/Cli/cases.txt"));
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        if (++number, line.empty() || line[0] == '#')
            continue;
        const std::regex bar(" *\\| *");
        std::vector<std::string> row(std::sregex_token_iterator(line.begin(), line.end(), bar, -1),
                                     {});
        row.resize(kFields);
        // Settings edits are unescaped word by word (Edited), so that \x20 stays in its value.
        for (Field field : {kArgs, kOut, kErr, kDevices, kExtra})
            row[field] = Unescape(row[field]);
        Check(row, number);
    }
}

TEST(Cli, TextChangesCodePageAndSaysWhatItCouldNotKeep) {
    // The system's own conversions in the Windows build, the platform layer's natively.
    ExpectEachRow(kRoot + "/Tests/Cli/recode.txt", [](const Row& row) {
        bool lossless = row.back().substr(row.back().size() - 5) == "lossy"; // to be overwritten
        const std::string converted =
            Recode(row[0], std::stoul(row[1]), std::stoul(row[2]), &lossless);
        return converted + (lossless ? " lossless" : " lossy");
    });
}

} // namespace
