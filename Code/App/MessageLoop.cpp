#include "App/MessageLoop.h"

#include "Platform/Win32.h"
#include "Setup/CSetupApp.h"
#include "Setup/DialogKeys.h"

bool PumpMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (!HandleDialogMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void RunMessageLoop() {
    CSetupApp& app = CSetupApp::Instance();
    while (!app.IsDone()) {
        // PeekMessage may have handled a message sent from elsewhere that closed the dialog;
        // waiting then would wait for good.
        if (!PumpMessage() && !app.IsDone())
            WaitMessage();
    }
}
