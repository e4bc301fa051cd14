// The tab control of the settings dialog and the three page dialogs laid over it.
#pragma once

#include "Platform/Win32.h"

// Made zero-filled by CreateTabPages and owned by CSetupApp::tabPages for the rest of the
// run. The page windows are children of the main dialog and die with it.
struct TabPages {
    HWND tab;
    HWND* pages;                  // three handles in tab order, null until created
    LPCDLGTEMPLATEA templates[3]; // resources 135, 136 and 140, read-only, process lifetime
};
