// The record of the running application, created by the run frame and reached
// through one process-wide pointer.
#pragma once

#include <windows.h>

#include "support/TextString.h"

struct AppContext {
    HWND mainWindow;        // the main window, once created
    HINSTANCE instance;     // module instance for every resource and class call
    TextString commandLine; // a copy of the arguments: the document to open
};

extern AppContext* theAppContext;

// The module instance for resource and class calls; null before the run frame
// has created the context.
inline HINSTANCE ModuleInstance() {
    return theAppContext ? theAppContext->instance : nullptr;
}
