#include "editor/EditorApp.h"

#include "app/AppContext.h"
#include "diag/ErrorLog.h"
#include "editor/EditorDialog.h"
#include "res/resource.h"

int EditorApp::Run() {
    return RunMainWindow(IDD_MAIN);
}

int EditorApp::RunMainWindow(int templateId) {
    EditorDialog dialog;
    int created = dialog.CreateModeless(nullptr, templateId);
    theAppContext->mainWindow = dialog.window;
    if (!created) {
        // Without a window nothing could ever post the quit message, so the
        // loop would wait for ever.
        DWORD error = GetLastError();
        LogError("CreateDialog(%d),error code: %d", templateId, static_cast<int>(error));
        return 1;
    }
    dialog.SetTextFromResource(IDS_MAIN_TITLE);
    dialog.SetIcon(IDI_PROGRAM, 0);
    ShowWindow(dialog.window, SW_SHOW);
    // A document handed to the program (Open with, dropped on its icon).
    dialog.OpenDocument(theAppContext->commandLine.text);
    // Leaving this function destroys the dialog object, and with it the main
    // window and the canvas inside it.
    return MessageLoop(IDA_MAIN);
}
