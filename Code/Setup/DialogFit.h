// Fitting the settings dialog to the player's screen: the tab control and the pages are placed
// in pixels laid out for 96 DPI, while the dialog's own controls grow with its font, that is
// with the screen's DPI. Also what the dialog template cannot say: the tab control's font and
// the window's icon.
#pragma once

#include "Platform/Win32.h"

// The screen's DPI (96 when it cannot be asked).
int ScreenDpi();

// `pixels` laid out at 96 DPI, at the screen's DPI; unchanged at 96.
int ScaledPixels(int pixels);

// Grows the tab control `tab` to the right and down until its display area holds each of the
// `count` pages (children of the tab's parent, as the tab is; null ones are skipped). A tab
// control that already holds them is left as it is.
void FitTabAroundPages(HWND tab, const HWND* pages, int count);

// Centers the banner picture of `dialog` across the dialog's width and in the height of the
// band the template gives it, when the dialog, grown with a large font, is wider or taller than
// the picture; left as it is otherwise (at 96 DPI the picture fills both).
void CenterBanner(HWND dialog);

// Gives the tab control the dialog's font; without it the tab titles are drawn in the bold
// System font.
void UseDialogFont(HWND tab, HWND dialog);

// The program's icon (resource `iconId`) on the dialog's caption, in Alt+Tab and on the taskbar.
void SetProgramIcon(HWND dialog, HINSTANCE instance, int iconId);
