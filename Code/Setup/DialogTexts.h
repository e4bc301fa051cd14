// The localization identifiers the settings dialog shows, written down once and without any
// window: the dialog sets its texts from these lists, and a check of the localization files
// reads the same lists.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A label of the dialog: its control id and the identifier of its text.
struct DialogLabel {
    int control;
    const char* textId;
};

// The titles of the three tabs, in tab order.
extern const char* const kTabTitleIds[3];

// The entries of the configuration choice: the player's own, best performance, best quality.
extern const char* const kConfigChoiceIds[3];

// The labels of the main dialog (the configuration choice's label, Apply, Exit), in the order
// they are set.
extern const DialogLabel kMainLabels[3];

// The labels of page `page` (0 display, 1 game, 2 audio) in the order they are set; `count`
// receives their number. Null with `count` 0 for any other page.
const DialogLabel* PageLabels(int page, size_t& count);

// Every identifier the dialog asks for, each once: tab titles, configuration choices and
// their label, buttons, the localized entries of the value lists (table order), then the
// labels of the display, game and audio pages.
std::vector<std::string> DialogTextIds();
