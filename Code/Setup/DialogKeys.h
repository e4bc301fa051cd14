// The settings dialog by keyboard: Tab order, page switching by Ctrl+Tab, Esc and Enter.
#pragma once

#include "Platform/Win32.h"

// Readies the dialog made by CreateMainDialog for the keyboard: puts every window's controls
// in reading order (which the dialog manager's Tab and a screen reader both follow), makes the
// pages control parents so that Tab walks into the one shown, adds the tab control to the Tab
// order, hides the focus rectangles until a key is pressed, and gives the configuration choice
// the focus. Call once, after the dialog and its pages exist.
void PrepareDialogKeyboard();

// The settings dialog's part of the message loop, for a message just taken from the queue.
// True when the message has been handled (through the dialog manager for everything aimed at
// the dialog or its controls): the loop must then neither translate nor dispatch it. False for
// messages of other windows, and once the dialog is gone.
bool HandleDialogMessage(MSG& message);
