// Apply: the controls of the three pages into section OPTIONS, then the settings file saved.
#pragma once

// Brings every page up to date (tabs 0, 1, 2, 0), writes each control's value and the keys
// that have fixed values into OPTIONS, and saves "Player\Config.ini". A list without a
// selection leaves its key as it is. Returns true; a failed save ends the program with the
// French save message.
bool ApplySettings();
