// What the dialog's pages show and what Apply stores, key by key, without any window: the
// dialog reads and sets its controls through these, and a caller without a dialog can apply
// a configuration choice to a settings document exactly as the dialog would.
#pragma once

#include <functional>
#include <string>

#include "Setup/SettingsKeys.h"

class CIniFile;

// Section OPTIONS of `settings`, added when missing.
CIniFile& OptionsSection(CIniFile& settings);

// True when a key of the default set is missing or empty in `settings`.
bool IsDefaultSetIncomplete(CIniFile& settings);

// True when the settings program, having loaded `settings`, rebuilds it with the defaults at
// start: OPTIONS_LOW or OPTIONS_HIGH is missing, or the default set is incomplete.
bool NeedsDefaultSettings(CIniFile& settings);

// Stores `value` (a text as the key table writes it) into `section` through the setter of
// key.form: SetBool of atoi != 0, SetInt of atoi, SetFloat of the single-precision atof, or
// SetString; the key is created when missing.
void StoreSetting(CIniFile& section, const SettingsKey& key, const char* value);

// Stores every key of the default set (DefaultSettings) through StoreSetting, adding the
// sections it needs: what the settings program writes into the file it rebuilds at start.
void StoreDefaultSettings(CIniFile& settings);

// The state the control of `key` is given when its page is filled while `configSource` is
// chosen, read from ChoiceSection(configSource) or from OPTIONS as key.shows says: a check
// box 1 or 0 (GetBool); a slider its position (GetInt, or for a scaled slider
// ScaledSliderPosition of GetFloat), not yet limited to its range; a List the ChoicePosition of
// the value (key.choiceCount when it is not one of the list's values); a DeviceList the
// stored position (GetInt). A missing section reads silently as 0 for check boxes and scaled
// sliders, 2147483647 for other numbers and "__INI_ERROR__" for lists. 0 for keys with no
// control.
int ShownControlState(CIniFile& settings, const SettingsKey& key, int configSource);

// Apply's write of one key into OPTIONS (added when missing) from the state of its control: a
// check box through SetBool(state != 0); a slider through SetInt(state), a scaled one through
// SetFloat(ScaledSliderValue(state)); a List the stored text at position `state` through
// SetString, nothing when there is no such position (the key keeps its value); a DeviceList
// SetInt(state). A key no control shows gets its default through StoreSetting, whatever
// `state`.
void StoreControlState(CIniFile& settings, const SettingsKey& key, int state);

// Apply's writes into OPTIONS, in Apply's order: the keys of page 0, 1 and 2 (with the fixed
// TERRAINSIZE and SOUND_GLOBAL in their page's turn) for each page with pageExists[page],
// then the keys that every Apply rewrites. `controlState` gives the state of a key's control
// (see StoreControlState); it is not asked for keys no control shows. Saves nothing.
void WriteAppliedKeys(CIniFile& settings, const bool pageExists[3],
                      const std::function<int(const SettingsKey&)>& controlState);

// Applies configuration `choice` (0 the player's own, 1 best performance OPTIONS_LOW, 2 best
// quality OPTIONS_HIGH; any other value reads OPTIONS) to `settings` as choosing it in the
// dialog of a loaded settings file and pressing Apply at once does: every control takes the
// state ShownControlState gives, limited as the control limits it (a slider to its range; a
// device position outside 0 .. deviceCount - 1 becomes -1: no selection), all states are
// read before anything is written, and WriteAppliedKeys stores them with all three pages.
// `deviceCount` is the number of sound devices the dialog lists (CSoundEngine::DetectDevices).
// Only OPTIONS is written; OPTIONS_LOW, OPTIONS_HIGH and PLAYER are only read. Saves nothing.
void ApplyConfigurationChoice(CIniFile& settings, int choice, int deviceCount);

// What the dialog makes of `text` as the value of `key` in a section it shows (for a key no
// control shows: in OPTIONS, which every Apply rewrites), with `deviceCount` sound devices
// listed: the control is filled from it (ShownControlState, limited as the control limits
// it) and Apply writes the control back (StoreControlState).
struct DialogReading {
    enum Kind {
        Kept,       // what Apply writes reads as the same value through the key's getter
        Changed,    // the dialog shows, and Apply writes, another value
        Unshowable, // the list shows no selection: not one of its values, or a device position
                    // outside the list other than -1 and the default
    } kind;
    std::string written; // Kept and Changed: the text Apply writes (for a device position
                         // kept without a selection, `text` itself)
};
DialogReading ReadAsDialog(const SettingsKey& key, const std::string& text, int deviceCount);
