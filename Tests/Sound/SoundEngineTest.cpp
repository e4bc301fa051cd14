#include "Sound/CSoundEngine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

#include "App/LogFile.h"
#include "Sound/ScriptedAudio.h"
#include "TempDir.h"

namespace {

using ScriptedAudio::Call;

// The module and line columns of the engine's three kinds of entry.
const std::string kStart = "I     CSoundEngine.cpp(0249) ";
const std::string kDevice = "I     CSoundEngine.cpp(0300) ";
const std::string kEnd = "I     CSoundEngine.cpp(0311) ";
const std::string kFirst = kStart + "Detecting sound devices :";
const std::string kLast = kEnd + "Detecting sound devices : ok";

using Lines = std::vector<std::string>;

// Devices 0 and 2 open and are released once each, device 1 fails and is not released, and
// there is no description for 3.
const Lines kOpenFailOpen = {
    "BASS_GetDeviceDescription", "BASS_Init", "BASS_GetEAXParameters",     "BASS_Free",
    "BASS_GetDeviceDescription", "BASS_Init", "BASS_GetDeviceDescription", "BASS_Init",
    "BASS_GetEAXParameters",     "BASS_Free", "BASS_GetDeviceDescription"};

HWND Handle(uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

class SoundEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ScriptedAudio::Reset();
        TheLog.Open("sound.log");
    }
    void TearDown() override {
        TheLog.Close();
        ScriptedAudio::Reset();
    }

    // The entries after the five lines of the opening banner, without their time column.
    static Lines Entries() {
        const std::regex entry("(.{29})\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d (.*)");
        std::string bytes = TempDir::ReadFile("sound.log");
        Lines entries;
        int line = 0;
        for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            std::string text = bytes.substr(start, end - start);
            std::smatch parts;
            if (++line <= 5)
                continue;
            EXPECT_TRUE(std::regex_match(text, parts, entry)) << text;
            entries.push_back(parts.str(1) + parts.str(2));
        }
        return entries;
    }

    static Lines Functions() {
        Lines names;
        for (const Call& call : ScriptedAudio::Calls())
            names.push_back(call.function);
        return names;
    }

    static std::vector<const Call*> Opens() {
        std::vector<const Call*> opens;
        for (const Call& call : ScriptedAudio::Calls()) {
            if (call.function == "BASS_Init")
                opens.push_back(&call);
        }
        return opens;
    }

    TempDir dir;
    HWND dialog = Handle(0x4321);
    std::vector<SoundDeviceInfo> devices;
};

TEST_F(SoundEngineTest, NoDeviceLogsOnlyTheFirstAndLastLine) {
    CSoundEngine::DetectDevices(&dialog, &devices);
    EXPECT_TRUE(devices.empty());
    EXPECT_EQ(Entries(), (Lines{kFirst, kLast}));
    EXPECT_EQ(Functions(), Lines{"BASS_GetDeviceDescription"});
    EXPECT_EQ(ScriptedAudio::Calls()[0].device, 0);
}

TEST_F(SoundEngineTest, DeviceThatFailsToOpenIsSkippedAndKeepsNumbering) {
    ScriptedAudio::Reset(
        {{"Speakers", true, false}, {"Headset", false, false}, {"HDMI Output", true, false}});
    CSoundEngine::DetectDevices(&dialog, &devices);

    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].index, 0);
    EXPECT_EQ(devices[0].name, "Speakers");
    EXPECT_EQ(devices[1].index, 2);
    EXPECT_EQ(devices[1].name, "HDMI Output");
    EXPECT_EQ(Entries(), (Lines{kFirst, kDevice + "- Sound device #0 = Speakers",
                                kDevice + "- Sound device #2 = HDMI Output", kLast}));
    EXPECT_EQ(Functions(), kOpenFailOpen);
    EXPECT_EQ(ScriptedAudio::OpenDevice(), -1);
    std::vector<const Call*> opens = Opens();
    ASSERT_EQ(opens.size(), 3u);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(opens[n]->device, n);
        EXPECT_EQ(opens[n]->freq, 44100u);
        EXPECT_EQ(opens[n]->flags, 548u);
        EXPECT_EQ(opens[n]->window, dialog);
    }
    EXPECT_EQ(ScriptedAudio::Calls().back().device, 3);
}

TEST_F(SoundEngineTest, EaxIsMarkedAndTheOldEntriesAreReplaced) {
    ScriptedAudio::Reset({{"Sound Blaster Live!", true, true}, {"Speakers", true, false}});
    devices = {{7, "old one"}, {9, "old two"}, {10, "old three"}};
    CSoundEngine::DetectDevices(&dialog, &devices);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].index, 0);
    EXPECT_EQ(devices[0].name, "Sound Blaster Live! [EAX]");
    EXPECT_EQ(devices[1].index, 1);
    EXPECT_EQ(devices[1].name, "Speakers");
    EXPECT_EQ(Entries(), (Lines{kFirst, kDevice + "- Sound device #0 = Sound Blaster Live! [EAX]",
                                kDevice + "- Sound device #1 = Speakers", kLast}));
}

TEST_F(SoundEngineTest, NullListStillProbesReleasesAndLogsEveryDevice) {
    ScriptedAudio::Reset({{"A", true, true}, {"B", false, false}, {"C", true, false}});
    CSoundEngine::DetectDevices(&dialog, nullptr);
    EXPECT_EQ(Functions(), kOpenFailOpen);
    EXPECT_EQ(Entries(), (Lines{kFirst, kDevice + "- Sound device #0 = A [EAX]",
                                kDevice + "- Sound device #2 = C", kLast}));
}

TEST_F(SoundEngineTest, OwnerWindowIsReadAgainForEveryProbe) {
    ScriptedAudio::Reset({{"A", true, false}, {"B", false, false}, {"C", true, false}});
    // The dialog's handle changes after each probe, as a re-created dialog's would.
    ScriptedAudio::SetHook([this](const Call& call) {
        if (call.function == "BASS_Init")
            dialog = Handle(reinterpret_cast<uintptr_t>(dialog) + 1);
    });
    CSoundEngine::DetectDevices(&dialog, nullptr);
    std::vector<const Call*> opens = Opens();
    ASSERT_EQ(opens.size(), 3u);
    for (uintptr_t n = 0; n < 3; ++n)
        EXPECT_EQ(opens[n]->window, Handle(0x4321 + n));
}

TEST_F(SoundEngineTest, ScanEndsAtFirstNumberWithoutDescription) {
    ScriptedAudio::Reset({{"A", true, false}, {"B", true, false}});
    // Device 1 disappears while device 0 is probed: 1 ends the scan.
    ScriptedAudio::SetHook([](const Call& call) {
        if (call.function == "BASS_Free")
            ScriptedAudio::Reset({{"A", true, false}});
    });
    CSoundEngine::DetectDevices(&dialog, &devices);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].name, "A");
}

TEST_F(SoundEngineTest, OverlongDescriptionIsCutInTheLogLine) {
    const std::string description(20000, 'x');
    ScriptedAudio::Reset({{description, true, true}});
    CSoundEngine::DetectDevices(&dialog, &devices);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].name, description + " [EAX]");
    // 8191 characters fit the 8192-byte line buffer with its NUL.
    const std::string head = "- Sound device #0 = ";
    EXPECT_EQ(Entries(),
              (Lines{kFirst, kDevice + head + std::string(8191 - head.size(), 'x'), kLast}));
}

TEST(SoundEngine, ClosedLogAndNullOwnerPointerStillDetect) {
    TempDir dir;
    ScriptedAudio::Reset({{"A", true, false}});
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(nullptr, &devices);
    EXPECT_EQ(devices.size(), 1u);
    ASSERT_EQ(ScriptedAudio::Calls().size(), 5u);
    EXPECT_EQ(ScriptedAudio::Calls()[1].window, nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    ScriptedAudio::Reset();
}

} // namespace
