// devices: the sound devices the audio page lists, with the value SOUND_DEVICE takes for each.
#include "Cli/Commands.h"
#include "Cli/JsonOutput.h"
#include "Sound/CSoundEngine.h"

int DevicesCommand(const Console& console, bool json) {
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(nullptr, &devices);
    if (json) {
        Json list = Json::array();
        for (size_t position = 0; position < devices.size(); ++position)
            list.push_back({{"SOUND_DEVICE", position},
                            {"name", Utf8(devices[position].name)},
                            {"device_number", devices[position].index}});
        PrintJson(console.out, {{"devices", list}});
        return kExitOk;
    }
    if (devices.empty())
        console.out << "no sound device found: the settings program writes SOUND_DEVICE=-1\n";
    // SOUND_DEVICE is the position in this list, not the audio layer's device number.
    for (size_t position = 0; position < devices.size(); ++position)
        console.out << "SOUND_DEVICE=" << position << ": " << devices[position].name << '\n';
    return kExitOk;
}
