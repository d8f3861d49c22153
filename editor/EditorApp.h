// The program's application class: shows the main editor window and runs the
// message loop, with the window's keys, until the window ends the program.
#pragma once

#include "app/Main.h"

class EditorApp : public Main {
  public:
    int Run() override;

    // Runs the main window built from the given dialog template; the exit code
    // of the loop, or 1 when the window cannot be made.
    int RunMainWindow(int templateId);
};

extern EditorApp theApp;
