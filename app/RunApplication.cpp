#include "app/RunApplication.h"

#include <commctrl.h>

#include "app/AppContext.h"
#include "app/Main.h"

// The context lives in this frame; the pointer to it stays set afterwards, but
// nothing reads it once the run has returned.
int RunApplication(Main* app, HINSTANCE instance, HINSTANCE, char* cmdLine, int) {
    AppContext context{};
    theAppContext = &context;
    InitCommonControls();
    context.instance = instance;
    context.commandLine.Assign(cmdLine);
    int result = app->Run();
    context.commandLine.Free();
    return result;
}
