// The settings dialog: the main window, its tab control and the three pages laid over it.
#pragma once

#include "Platform/Win32.h"

// Creates the main dialog from `templateId` with `proc`, shows it with `showCommand`, then
// builds the tab control and its pages. Stores the instance and the dialog in CSetupApp.
// False when the dialog or the tab control cannot be created.
bool CreateMainDialog(HINSTANCE instance, int templateId, DLGPROC proc, int showCommand,
                      HWND owner);

// Builds the tab control, its three tabs, the hidden pages and the configuration choice, then
// shows page 0 filled. False when the tab control cannot be created.
bool CreateTabPages();

// The dialog template resource `id` of this program, read-only for the life of the process;
// null when the program holds no such template.
LPCDLGTEMPLATEA LockDialogTemplate(int id);

// Shows and fills the page of the tab control's selection, hiding the previous one. Does
// nothing when the selection is the page already shown.
void SwitchPage();

// The tab shown (-1 before the first page is shown).
int CurrentTab();

// The main dialog's procedure: tab changes, Apply, Exit, the close box, the configuration
// choice.
INT_PTR CALLBACK SetupDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The procedure of the three pages: default dialog handling only. Their controls are read
// when Apply is pressed.
INT_PTR CALLBACK PageDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Set every localized label of one page, in the page's fixed order.
void LocalizeDisplayPage(HWND page);
void LocalizeGamePage(HWND page);
void LocalizeAudioPage(HWND page);
