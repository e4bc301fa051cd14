// devices: the sound devices the audio page lists, with the value SOUND_DEVICE takes for each.
// Their names come in the system's ANSI code page (0 to Recode).
#include "Cli/Commands.h"
#include "Cli/ConsoleText.h"
#include "Cli/JsonOutput.h"
#include "Sound/CSoundEngine.h"

int DevicesCommand(const Console& console, bool json) {
    std::vector<SoundDeviceInfo> devices;
    CSoundEngine::DetectDevices(nullptr, &devices);
    if (json) {
        Json list = Json::array();
        for (size_t position = 0; position < devices.size(); ++position)
            list.push_back({{"SOUND_DEVICE", position},
                            {"name", Recode(devices[position].name, 0, kUtf8CodePage)},
                            {"device_number", devices[position].index}});
        PrintJson(console.out, {{"devices", list}});
        return kExitOk;
    }
    if (devices.empty())
        console.out << "no sound device found: the settings program writes SOUND_DEVICE=-1\n";
    // SOUND_DEVICE is the position in this list, not the audio layer's device number.
    for (size_t position = 0; position < devices.size(); ++position)
        console.out << "SOUND_DEVICE=" << position << ": "
                    << Recode(devices[position].name, 0, console.shownCodePage) << '\n';
    return kExitOk;
}
