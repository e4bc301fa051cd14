#include "Sound/CSoundEngine.h"

#include <gtest/gtest.h>
#include <sstream>

#include "App/LogFile.h"
#include "Sound/ScriptedAudio.h"
#include "TempDir.h"

namespace {

using ScriptedAudio::Call;

HWND Handle(uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

// What the detection gave, in the form of the last field of devices.txt. Every open asks for
// 44100 Hz and flags 548 and passes the owner handle of that moment: `owner`, growing by `step`
// after each open.
std::string Found(const std::vector<SoundDeviceInfo>& devices, uintptr_t owner, uintptr_t step) {
    std::string found;
    for (const SoundDeviceInfo& device : devices)
        found += std::to_string(device.index) + " " + device.name + "|";
    found += "| ";
    std::istringstream log(TempDir::Exists("sound.log") ? TempDir::ReadFile("sound.log") : "");
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
            EXPECT_EQ(call.window, Handle(owner));
            owner += step;
        }
    }
    return found;
}

} // namespace

TEST(SoundEngine, EveryDescribedDeviceIsProbedOnceAndThoseThatOpenAreListedAndLogged) {
    ExpectEachRow(TEST_DATA "/devices.txt", [](const Row& row) {
        std::vector<ScriptedAudio::Device> script;
        std::istringstream names(row[0]);
        for (std::string name; std::getline(names, name, ';');)
            script.push_back({name.substr(0, name.find_last_not_of("+*") + 1),
                              name.back() == '+' || name.back() == '*', name.back() == '*'});
        // Also without a list, and without an owner pointer or open log: the same probes.
        std::string results[3];
        for (int mode = 0; mode < 3; ++mode) {
            TempDir dir;
            if (mode < 2)
                TheLog.Open("sound.log");
            ScriptedAudio::Reset(script);
            HWND dialog = Handle(0x4321);
            // The handle changes after each open, as a re-created dialog's would.
            ScriptedAudio::SetHook([&dialog](const Call& call) {
                if (call.function == "BASS_Init")
                    dialog = Handle(reinterpret_cast<uintptr_t>(dialog) + 1);
            });
            std::vector<SoundDeviceInfo> devices = {{7, "old"}};
            CSoundEngine::DetectDevices(mode < 2 ? &dialog : nullptr,
                                        mode != 1 ? &devices : nullptr);
            TheLog.Close();
            results[mode] = Found(devices, mode < 2 ? 0x4321 : 0, mode < 2);
            EXPECT_EQ(ScriptedAudio::OpenDevice(), -1);
            ScriptedAudio::Reset();
        }
        const std::string log = results[0].substr(results[0].find("| "));
        EXPECT_EQ(results[1], "7 old|" + log);
        EXPECT_EQ(results[2],
                  results[0].substr(0, results[0].find("| ") + 2) + log.substr(log.rfind('|')));
        return results[0];
    });
}
