// The application object: the settings document, the dialog's handles and state, and the
// value lists of the combo boxes. One per process, made on first use and never destroyed.
#pragma once

#include <string>
#include <vector>

#include "Ini/CIniFile.h"
#include "Platform/Win32.h"
#include "Setup/SettingsKeys.h"

struct TabPages;

class CSetupApp {
public:
    // The one object; the first call constructs it, which loads "Player\Config.ini", rebuilds
    // it with the defaults when it is missing or incomplete, and builds the value lists.
    static CSetupApp& Instance();
    virtual ~CSetupApp();

    bool IsDone() const { return done; }
    void SetDone() { done = true; }

    // True when a key of the default set is missing or empty.
    bool IsSettingsIncomplete();
    // Writes the 92 default keys into the document and saves it; a failed save ends the
    // program with the French save message.
    void WriteDefaultSettings();
    // Loads the settings document from the file the game reads: the current user's
    // VirtualStore copy of settingsPath when there is one, else the file.
    bool LoadSettings();
    // Saves the settings document as SaveAsTheGameReads does (what it did with a copy is noted
    // in the log); a failed save ends the program with the French save message.
    void SaveSettings();

    // Fills the value lists from the key table's lists (ListChoices), in table order.
    void BuildChoiceLists();
    void AddChoice(int listId, const std::string& display, const std::string& stored);
    int CountChoices(int listId) const;
    // The shown or stored text of the record at `position` of the list; `out` is left as it
    // was when there is no such record.
    void ChoiceDisplayAt(int listId, int position, std::string& out) const;
    void ChoiceStoredAt(int listId, int position, std::string& out) const;
    const std::vector<Choice>& Choices() const { return *choices; }

    HINSTANCE hInstance = nullptr;
    HWND dialog = nullptr;
    TabPages* tabPages = nullptr;
    bool pageNeedsFill[3] = {true, true, true};
    bool pageNeedsInit[3] = {true, true, true};
    std::string settingsPath = kSettingsPath;
    bool settingsLoaded = true;
    int configSource = 0;
    int currentPage = 0;
    CIniFile settings;
    bool done = false;
    std::vector<Choice>* choices = nullptr;

protected:
    // Loads, checks and if needed rebuilds the settings file; builds the value lists.
    CSetupApp();

private:
    CSetupApp(const CSetupApp&) = delete;
    CSetupApp& operator=(const CSetupApp&) = delete;
};
