// The value lists behind the combo boxes of the pages.
#include "Setup/CSetupApp.h"

#include "Setup/SettingsKeys.h"

void CSetupApp::BuildChoiceLists() {
    if (!choices)
        choices = new std::vector<Choice>();
    choices->clear();
    for (size_t i = 0; i < kOptionsKeyCount; ++i) {
        for (const Choice& choice : ListChoices(OptionsKeys()[i].key))
            AddChoice(choice.listId, choice.display, choice.stored);
    }
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
