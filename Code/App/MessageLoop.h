// The program's message loop.
#pragma once

// One step: takes any waiting message of any window of this thread and hands it to the
// settings dialog's keyboard handling (Tab, Ctrl+Tab, Esc, Enter), or else translates and
// dispatches it. Returns at once; true when a message was taken.
bool PumpMessage();

// Pumps messages until the application object is done. When nothing is waiting it sleeps
// until the next message arrives instead of asking again at once. WM_QUIT is not looked at.
void RunMessageLoop();
