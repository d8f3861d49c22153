// A stand-in application built on the real WinMain. It writes what it finds
// during start-up, its run and exit to "startup.txt" in the working directory;
// StartupTest starts it and reads that file.
//
// Static objects, in order: an observer of the error mode, the application,
// and a second application object that must be refused.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "app/AppContext.h"
#include "app/Main.h"

namespace {

void Report(const char* format, ...) {
    char line[1200];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    if (FILE* file = std::fopen("startup.txt", "ab")) {
        std::fputs(line, file);
        std::fputs("\n", file);
        std::fclose(file);
    }
}

// Built before and destroyed after the application object.
struct ErrorModeObserver {
    ErrorModeObserver() { Report("error mode before: %x", GetErrorMode()); }
    ~ErrorModeObserver() {
        Report("error mode at exit: %x", GetErrorMode());
        Report("context at exit: %s", theAppContext ? "set" : "cleared");
    }
};

class RefusedApp : public Main {
  public:
    int Run() override { return 99; }
};

class StartupApp : public Main {
  public:
    StartupApp() { Report("error mode after construction: %x", GetErrorMode()); }
    int Run() override;
};

ErrorModeObserver theObserver;
StartupApp theStartupApp;
RefusedApp theRefusedApp;

int StartupApp::Run() {
    Report("log at run: %s",
           GetFileAttributesA("Error.log") == INVALID_FILE_ATTRIBUTES ? "absent" : "present");
    Report("main instance: %s", MainInstance == this ? "this" : "other");
    Report("error mode in run: %x", GetErrorMode());
    Report("instance: %s", theAppContext->instance == GetModuleHandleA(nullptr) ? "module" : "?");
    Report("main window: %p", static_cast<void*>(theAppContext->mainWindow));
    Report("command line: [%s]", theAppContext->commandLine.text);
    Report("common controls: %s", GetModuleHandleA("comctl32.dll") ? "loaded" : "missing");
    {
        RefusedApp late; // after WinMain deleted the log, so its record stays
        Report("main instance with a late object: %s", MainInstance == this ? "this" : "other");
    }
    Report("error mode after refused objects: %x", GetErrorMode());
    PostQuitMessage(23);
    return MessageLoop(0);
}

} // namespace
