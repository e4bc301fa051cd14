#include "Sound/CSoundEngine.h"

#include <gtest/gtest.h>
#include <sstream>

#include "App/LogFile.h"
#include "Sound/ScriptedAudio.h"
#include "TempDir.h"

using ScriptedAudio::Call;

// What the detection gave, in the form of the last field of devices.txt. Every open asks for
// 44100 Hz and flags 548 and passes the owner handle of that moment, one more after each open.
static std::string Found(const std::vector<SoundDeviceInfo>& devices) {
    uintptr_t owner = 0x4321;
    std::string found;
    for (const SoundDeviceInfo& device : devices)
        found += std::to_string(device.index) + " " + device.name + "|";
    found += "| ";
    std::istringstream log(TempDir::ReadFile("sound.log"));
    for (std::string line; std::getline(log, line);) {
        if (line.compare(0, 2, "I ") == 0) // without the time column and the CR
            found += line.substr(0, 29) + line.substr(44, line.size() - 45) + "/";
    }
    found += "|";
    for (const Call& call : ScriptedAudio::Calls()) {
        found += " " + call.function.substr(5, 4) +
                 (call.device >= 0 ? std::to_string(call.device) : std::string());
        if (call.function == "BASS_Init") {
            EXPECT_EQ(call.freq, 44100u);
            EXPECT_EQ(call.flags, 548u);
            EXPECT_EQ(call.window, reinterpret_cast<HWND>(owner++));
        }
    }
    return found;
}

TEST(SoundEngine, EveryDescribedDeviceIsProbedOnceAndThoseThatOpenAreListedAndLogged) {
    ExpectEachRow(TEST_DATA "/devices.txt", [](const Row& row) {
        std::vector<ScriptedAudio::Device> script;
        std::istringstream names(row[0]);
        for (std::string name; std::getline(names, name, ';');)
            script.push_back({name.substr(0, name.find_last_not_of("+*") + 1),
                              name.back() == '+' || name.back() == '*', name.back() == '*'});
        // Also without a list: the same probes and lines.
        std::string results[2];
        for (int mode = 0; mode < 2; ++mode) {
            TempDir dir;
            TheLog.Open("sound.log");
            ScriptedAudio::Reset(script);
            HWND dialog = reinterpret_cast<HWND>(0x4321);
            // The handle changes after each open, as a re-created dialog's would.
            ScriptedAudio::SetHook([&dialog](const Call& call) {
                if (call.function == "BASS_Init")
                    dialog = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(dialog) + 1);
            });
            std::vector<SoundDeviceInfo> devices = {{7, "old"}};
            CSoundEngine::DetectDevices(&dialog, mode == 0 ? &devices : nullptr);
            TheLog.Close();
            results[mode] = Found(devices);
            EXPECT_EQ(ScriptedAudio::OpenDevice(), -1);
            ScriptedAudio::Reset();
        }
        EXPECT_EQ(results[1], "7 old|" + results[0].substr(results[0].find("| ")));
        return results[0];
    });
}
