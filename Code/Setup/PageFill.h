// Filling the three pages from the settings document, and choosing a configuration.
#pragma once

#include <string>

#include "Platform/Win32.h"

// The position of the record of list `listId` whose stored text equals the value of `key` in
// the section of configuration choice `source`; the number of records (no selection) when
// none does or the section is missing.
int FindChoiceIndex(int listId, const std::string& key, int source);

// Replaces the entries of combo box `listId` on `page` with the shown texts of its list.
void FillChoiceCombo(HWND page, int listId);

// Each makes its page current, sets it up on its first visit (labels, lists, slider ranges;
// for the audio page the sound device detection) and refills it when it is flagged.
void FillDisplayPage();
void FillGamePage();
void FillAudioPage();
// The fill of page `page` (0 display, 1 game, 2 audio); nothing for another index.
void FillPage(int page);

// Shows configuration `choice` (0 user, 1 best performance, 2 best quality): flags all pages
// for refilling and refills the current one at once. Writes nothing.
void SelectConfiguration(int choice);
