#include "Sound/CSoundEngine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "App/LogFile.h"
#include "Sound/ScriptedAudio.h"
#include "TempDir.h"

namespace {

using ScriptedAudio::Call;

HWND Handle(uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

std::string Describe(const std::vector<SoundDeviceInfo>& devices) {
    std::string text;
    for (const SoundDeviceInfo& device : devices)
        text += std::to_string(device.index) + " " + device.name + "|";
    return text;
}

// The log's entries without their time column, one a line.
std::string Entries(const std::string& log) {
    std::string bytes = TempDir::ReadFile(log), entries;
    for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        if (bytes.compare(start, 2, "I ") == 0)
            entries += bytes.substr(start, 29) + bytes.substr(start + 44, end - start - 44) + "\n";
    }
    return entries;
}

// The audio calls as "GetD<n>" (description), "Init<n>", "GetE" (EAX) and "Free". Every open
// asks for 44100 Hz and flags 548 and passes the owner handle of that moment.
std::string Trace(uintptr_t owner) {
    std::string trace;
    for (const Call& call : ScriptedAudio::Calls()) {
        trace += " " + call.function.substr(5, 4);
        if (call.device >= 0)
            trace += std::to_string(call.device);
        if (call.function == "BASS_Init") {
            EXPECT_EQ(call.freq, 44100u);
            EXPECT_EQ(call.flags, 548u);
            EXPECT_EQ(call.window, Handle(owner++));
        }
    }
    return trace;
}

} // namespace

TEST(SoundEngine, EveryDescribedDeviceIsProbedOnceAndThoseThatOpenAreListedAndLogged) {
    const std::string first = "I     CSoundEngine.cpp(0249) Detecting sound devices :\n",
                      last = "I     CSoundEngine.cpp(0311) Detecting sound devices : ok\n",
                      line = "I     CSoundEngine.cpp(0300) - Sound device #", huge(20000, 'x');
    const struct {
        std::vector<ScriptedAudio::Device> script;
        std::string found, log, calls;
    } rows[] = {
        {{}, "", first + last, " GetD0"},
        {{{"Speakers", true, false}, {"Headset", false, false}, {"HDMI Output", true, false}},
         "0 Speakers|2 HDMI Output|",
         first + line + "0 = Speakers\n" + line + "2 = HDMI Output\n" + last,
         " GetD0 Init0 GetE Free GetD1 Init1 GetD2 Init2 GetE Free GetD3"},
        {{{"Sound Blaster Live!", true, true}, {"Speakers", true, false}},
         "0 Sound Blaster Live! [EAX]|1 Speakers|",
         first + line + "0 = Sound Blaster Live! [EAX]\n" + line + "1 = Speakers\n" + last,
         " GetD0 Init0 GetE Free GetD1 Init1 GetE Free GetD2"},
        // The log line keeps the 8191 characters that fit its buffer with the NUL.
        {{{huge, true, true}},
         "0 " + huge + " [EAX]|",
         first + line + "0 = " + std::string(8191 - 20, 'x') + "\n" + last,
         " GetD0 Init0 GetE Free GetD1"},
    };
    for (const auto& row : rows) {
        for (bool withList : {true, false}) {
            SCOPED_TRACE(row.calls + (withList ? "" : " without a list"));
            TempDir dir;
            TheLog.Open("sound.log");
            ScriptedAudio::Reset(row.script);
            HWND dialog = Handle(0x4321);
            // The handle changes after each open, as a re-created dialog's would.
            ScriptedAudio::SetHook([&dialog](const Call& call) {
                if (call.function == "BASS_Init")
                    dialog = Handle(reinterpret_cast<uintptr_t>(dialog) + 1);
            });
            std::vector<SoundDeviceInfo> devices = {{7, "old"}};
            CSoundEngine::DetectDevices(&dialog, withList ? &devices : nullptr);
            TheLog.Close();
            EXPECT_EQ(Describe(devices), withList ? row.found : "7 old|");
            EXPECT_EQ(Entries("sound.log"), row.log);
            EXPECT_EQ(Trace(0x4321), row.calls);
            EXPECT_EQ(ScriptedAudio::OpenDevice(), -1);
            ScriptedAudio::Reset();
        }
    }
}

TEST(SoundEngine, WithoutOwnerPointerOrOpenLogDevicesAreStillFound) {
    TempDir dir;
    ScriptedAudio::Reset({{"A", true, false}});
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(nullptr, &devices);
    EXPECT_EQ(Describe(devices), "0 A|");
    EXPECT_EQ(Trace(0), " GetD0 Init0 GetE Free GetD1");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    ScriptedAudio::Reset();
}
