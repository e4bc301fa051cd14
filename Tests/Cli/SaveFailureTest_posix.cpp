// What the tool and the dialog tell when a save fails, under faults injected into the native
// file layer: a folder that takes no new file, and a write over the old file that then fails;
// or a replace that leaves the old file under its backup name, held with the new one.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "BoxCapture.h"
#include "Cli/CommandLine.h"
#include "FatalExitCode.h"
#include "Platform/Posix/PosixHooks.h"
#include "Setup/CSetupApp.h"
#include "TempDir.h"

namespace {

const std::string kDefaults =
    TempDir::ReadFile(VELMARK_SOURCE_ROOT "/Tests/Setup/data/default_config.ini");

class App : public CSetupApp {};

struct SaveFailure : ::testing::Test {
    void TearDown() override { Platform::ClearFaults(); }
    TempDir dir;
};

} // namespace

// A folder that takes no new file, and then the write over the old file or its flush failing;
// or a failed replace (`replace`) after which the text cannot be written anew either.
TEST_F(SaveFailure, TheToolAndTheDialogSayWhatBecameOfTheOldFile) {
    const struct {
        long long writeBudget;
        DWORD write, flush;
        int exit;
        const char* said;
        bool changed;
        const char* box; // the dialog's last words; none when the save succeeds
        DWORD replace = 0;
    } rows[] = {
        {-1, 0, 0, 0, "", true, nullptr},
        {-1, 0, 1117, 4,
         "Player\\Config.ini could not be written; its old content was written back\n", false,
         "ERROR: Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier a "
         "\xE9t\xE9 r\xE9tabli\n"},
        {10, 112, 0, 4,
         "Player\\Config.ini could not be written, nor its old content written back: it may be "
         "incomplete\n",
         true,
         "ERROR: Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier n'a pas "
         "pu \xEAtre r\xE9tabli : il est peut-\xEAtre incomplet\n"},
        {static_cast<long long>(kDefaults.size()), 112, 0, 4,
         "Player\\Config.ini could not be written and is missing; its old content is kept as "
         "Player\\Config.ini.1.bak\n",
         true,
         "ERROR: Sauvegarde du fichier 'Config.ini' impossible\nL'ancien fichier est conserv\xE9 "
         "sous le nom Player\\\\Config.ini.1.bak\n",
         1177},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.said);
        auto inject = [&row] {
            Platform::SetCreateFault(row.replace ? 0 : 5);
            Platform::SetReplaceFault(row.replace, 1, Platform::ReplaceHold::Both);
            Platform::SetFlushFault(row.flush, 1);
            Platform::SetWriteFault(row.writeBudget, row.write);
        };
        auto fresh = [] {
            std::filesystem::remove_all("Player");
            TempDir::WriteFile("Player/Config.ini", kDefaults);
        };
        fresh();
        inject();
        std::ostringstream out, err;
        BoxCapture boxes;
        EXPECT_EQ(RunCommandLine({"set", "FAR=90"}, out, err), row.exit);
        Platform::ClearFaults();
        EXPECT_EQ(err.str(), row.said);
        EXPECT_EQ(!TempDir::Exists("Player/Config.ini") ||
                      TempDir::ReadFile("Player/Config.ini") != kDefaults,
                  row.changed);
        if (!row.box)
            continue;
        fresh();
        App app;
        app.settings.SetString("OPTIONS", "FAR", "90", true);
        EXPECT_EXIT(
            {
                BoxCapture echo(true);
                inject();
                app.SaveSettings();
            },
            ::testing::ExitedWithCode(kFatalExitCode), row.box);
    }
}
