#include "Cli/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>

#include <CLI/CLI.hpp>

#include "Cli/Commands.h"
#include "Cli/WorkingFolder.h"

namespace {

struct Arguments {
    std::string game = ".";
    bool json = false;
    std::vector<std::string> words; // keys, KEY=VALUE pairs, or the preset's name
};

// Adds a command whose action runs once the line has been parsed.
CLI::App* AddCommand(CLI::App& parent, const char* name, const char* description,
                     std::function<int()> action, std::function<int()>& chosen) {
    CLI::App* command = parent.add_subcommand(name, description);
    command->callback([action, &chosen] { chosen = action; });
    return command;
}

void AddJsonFlag(CLI::App* command, Arguments& arguments) {
    command->add_flag("--json", arguments.json, "print JSON (UTF-8) instead of text");
}

void AddCommands(CLI::App& app, Arguments& a, const Console& c, std::function<int()>& chosen) {
    AddJsonFlag(AddCommand(
                    app, "show",
                    "every key of OPTIONS and PLAYER with its value, and the "
                    "configuration the values match",
                    [&] { return ShowCommand(c, a.json); }, chosen),
                a);
    AddCommand(
        app, "get", "the values of the keys, one a line", [&] { return GetCommand(c, a.words); },
        chosen)
        ->add_option("KEY", a.words, "key names, in any letter case")
        ->required();
    AddCommand(
        app, "set", "store values as the dialog would; one refused value changes nothing",
        [&] { return SetCommand(c, a.words); }, chosen)
        ->add_option("KEY=VALUE", a.words, "keys and their new values")
        ->required();
    AddCommand(
        app, "preset", "what choosing a configuration and pressing Apply does",
        [&] { return PresetCommand(c, a.words.at(0)); }, chosen)
        ->add_option("CONFIGURATION", a.words, "performance or quality")
        ->required()
        ->expected(1)
        ->check(CLI::IsMember({"performance", "quality"}));
    AddJsonFlag(AddCommand(
                    app, "check",
                    "what the settings program would rebuild, values it "
                    "cannot show, keys nobody reads, a read-only file; "
                    "exit 1 when anything is found",
                    [&] { return CheckCommand(c, a.json); }, chosen),
                a);
    AddCommand(
        app, "repair", "replace only what is missing or unusable with its default",
        [&] { return RepairCommand(c); }, chosen);
    AddJsonFlag(AddCommand(
                    app, "devices", "the sound devices and the SOUND_DEVICE of each",
                    [&] { return DevicesCommand(c, a.json); }, chosen),
                a);
    CLI::App* strings = app.add_subcommand("strings", "the localization files");
    strings->require_subcommand(1);
    AddJsonFlag(AddCommand(
                    *strings, "check",
                    "check DATA\\INI\\LocalizedStrings.ini against "
                    "DATA\\INI\\Various.ini; exit 1 when anything is "
                    "found",
                    [&] { return StringsCheckCommand(c, a.json); }, chosen),
                a);
}

// Takes the typed words into the files' code page; kExitInvalidValue after the message, which
// names the character, when one holds a character that code page cannot hold.
int TakeWords(const Console& console, unsigned typed, std::vector<std::string>& words) {
    for (std::string& word : words) {
        bool lossless = true;
        std::string taken = Recode(word, typed, kFileCodePage, &lossless);
        if (!lossless) {
            const TextCharacter unheld = FirstUnheldCharacter(word, typed, kFileCodePage);
            char code[16];
            std::snprintf(code, sizeof code, "U+%04lX", unheld.code);
            console.err << '\'' << Recode(word, typed, console.shownCodePage) << "' holds '"
                        << Recode(unheld.utf8, kUtf8CodePage, console.shownCodePage) << "' ("
                        << code << "), which the game's files cannot hold (they are "
                        << "Windows-1252); nothing was changed\n";
            return kExitInvalidValue;
        }
        word = taken;
    }
    return kExitOk;
}

// The first word that is neither an option nor the game folder: the command the user meant.
std::string CommandWord(const std::vector<std::string>& arguments) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--game")
            ++i;
        else if (arguments[i].empty() || arguments[i][0] != '-')
            return arguments[i];
    }
    return std::string();
}

// Names a command that is none of ours, with the list of those that are: kExitUsage. False
// when the command line named none.
bool ReportUnknownCommand(const CLI::App& app, const std::vector<std::string>& arguments,
                          const Console& console, unsigned typed) {
    const std::string word = CommandWord(arguments);
    auto all = app.get_subcommands([](const CLI::App*) { return true; });
    if (word.empty() || std::any_of(all.begin(), all.end(), [&](const CLI::App* command) {
            return command->get_name() == word;
        }))
        return false;
    console.err << "unknown command '" << Recode(word, typed, console.shownCodePage)
                << "'; the commands are:";
    for (const CLI::App* command : all)
        console.err << ' ' << command->get_name();
    console.err << "\nRun with --help for what each does.\n";
    return true;
}

} // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const ConsoleCodePages& pages) {
    CLI::App app("Shows, checks and changes the settings of the game Velmark "
                 "(Player\\Config.ini) exactly as the settings program does.",
                 VELMARK_CLI_NAME);
    app.set_version_flag("--version", std::string(VELMARK_CLI_NAME) + " " + VELMARK_VERSION);
    app.require_subcommand(1);
    app.fallthrough();
    Arguments parsed;
    app.add_option("--game", parsed.game, "the game folder (default: the current folder)");
    const Console console{out, err, pages.shown};
    std::function<int()> chosen;
    AddCommands(app, parsed, console, chosen);

    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() != 0 && app.get_subcommands().empty() &&
            ReportUnknownCommand(app, arguments, console, pages.typed))
            return kExitUsage;
        // The parser's words quote the typed ones.
        std::ostringstream said, failed;
        const int code = app.exit(error, said, failed);
        out << Recode(said.str(), pages.typed, pages.shown);
        err << Recode(failed.str(), pages.typed, pages.shown);
        return code == 0 ? kExitOk : kExitUsage;
    }
    if (int code = TakeWords(console, pages.typed, parsed.words))
        return code;
    WorkingFolder folder(parsed.game, pages.typed);
    if (!folder.Entered()) {
        err << "cannot enter the game folder '" << Recode(parsed.game, pages.typed, pages.shown)
            << "'\n";
        return kExitFileError;
    }
    return chosen ? chosen() : kExitUsage;
}
