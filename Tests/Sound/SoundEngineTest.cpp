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
using ScriptedAudio::Device;

// The module and line columns of the engine's three kinds of entry.
const char kStartPrefix[] = "I     CSoundEngine.cpp(0249) ";
const char kDevicePrefix[] = "I     CSoundEngine.cpp(0300) ";
const char kEndPrefix[] = "I     CSoundEngine.cpp(0311) ";

// One log entry without its time column.
struct Entry {
    std::string prefix;
    std::string message;
    bool operator==(const Entry& other) const {
        return prefix == other.prefix && message == other.message;
    }
};

std::ostream& operator<<(std::ostream& out, const Entry& entry) {
    return out << '"' << entry.prefix << "<stamp>" << entry.message << '"';
}

bool IsStamp(const std::string& text) {
    // "MM/DD hh:mm:ss "
    const char shape[] = "00/00 00:00:00 ";
    if (text.size() != sizeof shape - 1)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '0' ? !digit : text[i] != shape[i])
            return false;
    }
    return true;
}

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

    // The entries after the five lines of the opening banner.
    std::vector<Entry> Entries() {
        std::string bytes = TempDir::ReadFile("sound.log");
        std::vector<Entry> entries;
        size_t start = 0;
        int line = 0;
        for (size_t end = bytes.find("\r\n"); end != std::string::npos;
             start = end + 2, end = bytes.find("\r\n", start)) {
            if (++line <= 5)
                continue;
            std::string text = bytes.substr(start, end - start);
            const size_t prefixLength = sizeof kStartPrefix - 1, stampLength = 15;
            EXPECT_TRUE(text.size() >= prefixLength + stampLength &&
                        IsStamp(text.substr(prefixLength, stampLength)))
                << text;
            if (text.size() < prefixLength + stampLength)
                continue;
            entries.push_back(
                {text.substr(0, prefixLength), text.substr(prefixLength + stampLength)});
        }
        return entries;
    }

    static std::vector<std::string> Functions() {
        std::vector<std::string> names;
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

    // Each successful open is released exactly once before anything else is opened or the
    // detection ends; failed opens are never released.
    static void ExpectEveryOpenReleasedOnce() {
        bool open = false;
        for (const Call& call : ScriptedAudio::Calls()) {
            if (call.function == "BASS_Init") {
                EXPECT_FALSE(open) << "device " << call.device << " opened over another";
                open = call.result;
            } else if (call.function == "BASS_Free") {
                EXPECT_TRUE(open) << "release without an open device";
                open = false;
            }
        }
        EXPECT_FALSE(open) << "a device was left open";
        EXPECT_EQ(ScriptedAudio::OpenDevice(), -1);
    }

    TempDir dir;
    HWND dialog = Handle(0x4321);
};

TEST_F(SoundEngineTest, NoDeviceLogsOnlyTheFirstAndLastLine) {
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&dialog, &devices);
    EXPECT_TRUE(devices.empty());
    EXPECT_EQ(Entries(), (std::vector<Entry>{{kStartPrefix, "Detecting sound devices :"},
                                             {kEndPrefix, "Detecting sound devices : ok"}}));
    EXPECT_EQ(Functions(), std::vector<std::string>{"BASS_GetDeviceDescription"});
    EXPECT_EQ(ScriptedAudio::Calls()[0].device, 0);
}

TEST_F(SoundEngineTest, DeviceThatFailsToOpenIsSkippedAndKeepsNumbering) {
    ScriptedAudio::Reset(
        {{"Speakers", true, false}, {"Headset", false, false}, {"HDMI Output", true, false}});
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&dialog, &devices);

    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].index, 0);
    EXPECT_EQ(devices[0].name, "Speakers");
    EXPECT_EQ(devices[1].index, 2);
    EXPECT_EQ(devices[1].name, "HDMI Output");

    EXPECT_EQ(Entries(), (std::vector<Entry>{{kStartPrefix, "Detecting sound devices :"},
                                             {kDevicePrefix, "- Sound device #0 = Speakers"},
                                             {kDevicePrefix, "- Sound device #2 = HDMI Output"},
                                             {kEndPrefix, "Detecting sound devices : ok"}}));

    const std::vector<std::string> expected = {
        "BASS_GetDeviceDescription", "BASS_Init", "BASS_GetEAXParameters", "BASS_Free",
        "BASS_GetDeviceDescription", "BASS_Init", // device 1 fails
        "BASS_GetDeviceDescription", "BASS_Init", "BASS_GetEAXParameters", "BASS_Free",
        "BASS_GetDeviceDescription"}; // none for 3
    EXPECT_EQ(Functions(), expected);
    ExpectEveryOpenReleasedOnce();

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

TEST_F(SoundEngineTest, EaxDeviceIsMarkedInListAndLog) {
    ScriptedAudio::Reset({{"Sound Blaster Live!", true, true}, {"Speakers", true, false}});
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&dialog, &devices);

    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].name, "Sound Blaster Live! [EAX]");
    EXPECT_EQ(devices[1].name, "Speakers");
    std::vector<Entry> entries = Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].message, "- Sound device #0 = Sound Blaster Live! [EAX]");
    EXPECT_EQ(entries[2].message, "- Sound device #1 = Speakers");
}

TEST_F(SoundEngineTest, ListIsEmptiedBeforeDevicesAreAdded) {
    ScriptedAudio::Reset({{"Speakers", true, false}});
    std::vector<SoundDeviceInfo> devices = {{7, "old one"}, {9, "old two"}};
    CSoundEngine::DetectDevices(&dialog, &devices);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].index, 0);
    EXPECT_EQ(devices[0].name, "Speakers");
}

TEST_F(SoundEngineTest, NullListStillProbesReleasesAndLogsEveryDevice) {
    ScriptedAudio::Reset({{"A", true, true}, {"B", false, false}, {"C", true, false}});
    CSoundEngine::DetectDevices(&dialog, nullptr);
    EXPECT_EQ(Opens().size(), 3u);
    ExpectEveryOpenReleasedOnce();
    EXPECT_EQ(Entries(), (std::vector<Entry>{{kStartPrefix, "Detecting sound devices :"},
                                             {kDevicePrefix, "- Sound device #0 = A [EAX]"},
                                             {kDevicePrefix, "- Sound device #2 = C"},
                                             {kEndPrefix, "Detecting sound devices : ok"}}));
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
    EXPECT_EQ(opens[0]->window, Handle(0x4321));
    EXPECT_EQ(opens[1]->window, Handle(0x4322));
    EXPECT_EQ(opens[2]->window, Handle(0x4323));
}

TEST_F(SoundEngineTest, NullWindowPointerProbesWithoutOwner) {
    ScriptedAudio::Reset({{"A", true, false}});
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(nullptr, &devices);
    ASSERT_EQ(Opens().size(), 1u);
    EXPECT_EQ(Opens()[0]->window, nullptr);
    EXPECT_EQ(devices.size(), 1u);
}

TEST_F(SoundEngineTest, ScanEndsAtFirstNumberWithoutDescription) {
    ScriptedAudio::Reset({{"A", true, false}, {"B", true, false}});
    // Device 1 disappears while device 0 is probed: 1 ends the scan.
    ScriptedAudio::SetHook([](const Call& call) {
        if (call.function == "BASS_Free")
            ScriptedAudio::Reset({{"A", true, false}});
    });
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&dialog, &devices);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].name, "A");
}

TEST_F(SoundEngineTest, OverlongDescriptionIsCutInTheLogLine) {
    const std::string description(20000, 'x');
    ScriptedAudio::Reset({{description, true, true}});
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(&dialog, &devices);
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].name, description + " [EAX]");
    std::vector<Entry> entries = Entries();
    ASSERT_EQ(entries.size(), 3u);
    // 8191 characters fit the 8192-byte line buffer with its NUL.
    const std::string head = "- Sound device #0 = ";
    EXPECT_EQ(entries[1].message, head + std::string(8191 - head.size(), 'x'));
}

TEST(SoundEngine, ClosedLogGetsNoFile) {
    TempDir dir;
    ScriptedAudio::Reset({{"A", true, false}});
    std::vector<SoundDeviceInfo> devices;
    HWND none = nullptr;
    CSoundEngine::DetectDevices(&none, &devices);
    EXPECT_EQ(devices.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    ScriptedAudio::Reset();
}

} // namespace
