// The run frame between WinMain and the application's Run.
#pragma once

#include <windows.h>

class Main;

// Sets up the process-wide AppContext for the run and initialises the common
// controls, then returns app->Run(). prevInstance and showCmd are not used.
int RunApplication(Main* app, HINSTANCE instance, HINSTANCE prevInstance, char* cmdLine,
                   int showCmd);
