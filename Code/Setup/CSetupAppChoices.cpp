// The value lists behind the combo boxes of the pages.
#include "Setup/CSetupApp.h"

#include "Ini/Localization.h"

namespace {

std::string Text(const char* id) {
    return Localize("GAME", id);
}

} // namespace

void CSetupApp::BuildChoiceLists() {
    if (!choices)
        choices = new std::vector<Choice>();
    choices->clear();
    // The order of the lists and of the entries in each is the order the pages show.
    AddChoice(1002, "800*600", "(800,600)");
    AddChoice(1002, "1024*768", "(1024,768)");
    AddChoice(1004, "16", "16");
    AddChoice(1004, "32", "32");
    AddChoice(1005, Text("E_SETUP_LOW"), "0");
    AddChoice(1005, Text("E_SETUP_MEDIUM"), "1");
    AddChoice(1005, Text("E_SETUP_HIGH"), "2");
    AddChoice(1007, Text("E_SETUP_LOW"), "Low");
    AddChoice(1007, Text("E_SETUP_MEDIUM"), "Medium");
    AddChoice(1007, Text("E_SETUP_HIGH"), "High");
    AddChoice(1011, Text("E_SETUP_LOW"), "1");
    AddChoice(1011, Text("E_SETUP_MEDIUM"), "2");
    AddChoice(1011, Text("E_SETUP_HIGH"), "3");
    // The stored level of detail falls as the quality rises.
    AddChoice(1023, Text("E_SETUP_LOW"), "2");
    AddChoice(1023, Text("E_SETUP_MEDIUM"), "1");
    AddChoice(1023, Text("E_SETUP_HIGH"), "0");
    AddChoice(1074, Text("E_MSG_MENUS_SOUND_MONO"), "0");
    AddChoice(1074, Text("E_MSG_MENUS_SOUND_STEREO"), "1");
    AddChoice(1073, Text("E_SETUP_LOW"), "0");
    AddChoice(1073, Text("E_SETUP_HIGH"), "1");
}

void CSetupApp::AddChoice(int listId, const std::string& display, const std::string& stored) {
    if (!choices)
        choices = new std::vector<Choice>();
    choices->push_back(Choice{listId, display, stored});
}

int CSetupApp::CountChoices(int listId) const {
    int count = 0;
    if (choices) {
        for (const Choice& choice : *choices)
            count += choice.listId == listId ? 1 : 0;
    }
    return count;
}

namespace {

// The record at `position` among the records of `listId`, or null.
const Choice* ChoiceAt(const std::vector<Choice>* choices, int listId, int position) {
    if (!choices || position < 0)
        return nullptr;
    for (const Choice& choice : *choices) {
        if (choice.listId == listId && position-- == 0)
            return &choice;
    }
    return nullptr;
}

} // namespace

void CSetupApp::ChoiceDisplayAt(int listId, int position, std::string& out) const {
    if (const Choice* choice = ChoiceAt(choices, listId, position))
        out = choice->display;
}

void CSetupApp::ChoiceStoredAt(int listId, int position, std::string& out) const {
    if (const Choice* choice = ChoiceAt(choices, listId, position))
        out = choice->stored;
}
