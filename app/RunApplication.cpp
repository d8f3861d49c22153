#include "app/RunApplication.h"

#include <commctrl.h>

#include "app/AppContext.h"
#include "app/Main.h"

// The context lives in this frame, so the pointer to it is cleared before the
// frame ends: code that runs later (static destructors) finds no context.
int RunApplication(Main* app, HINSTANCE instance, HINSTANCE, char* cmdLine, int) {
    AppContext context{};
    theAppContext = &context;
    InitCommonControls();
    context.instance = instance;
    context.commandLine.Assign(cmdLine);
    int result = app->Run();
    context.commandLine.Free();
    theAppContext = nullptr;
    return result;
}
