// The program's message loop.
#pragma once

// One step: takes any waiting message of any window of this thread, translates and
// dispatches it. Returns at once; true when a message was taken.
bool PumpMessage();

// Pumps messages until the application object is done. When nothing is waiting it sleeps
// until the next message arrives instead of asking again at once. Messages are not passed
// through dialog-message processing, and WM_QUIT is not looked at.
void RunMessageLoop();
