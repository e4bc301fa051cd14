// The dialog's own texts (labels, tab titles, list entries) reach Windows as UTF-16 converted
// from Windows-1252, so they read the same under any code page of the player's Windows. Texts
// of the system itself (sound device names) keep going through the ANSI calls.
#pragma once

#include <string>

#include "Platform/Win32.h"

// WM_SETTEXT on control `id` of `window` with the Windows-1252 `text`.
void SetControlText(HWND window, int id, const std::string& text);

// CB_ADDSTRING on combo box `id` of `window` with the Windows-1252 `text`.
void AddListEntry(HWND window, int id, const std::string& text);

// Inserts tab `index` titled with the Windows-1252 `title`, without an image.
void InsertTabTitle(HWND tab, int index, const std::string& title);
