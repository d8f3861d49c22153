// The crash reporter: an unhandled-exception filter that writes a crash record
// to Error.log and lets the system end the process without its error dialog.
#pragma once

#include <windows.h>

// Quiet error mode and the filter; the previous error mode is kept.
void InstallCrashHandler();
// Puts back the error mode that InstallCrashHandler replaced.
void RestoreErrorMode();
// Writes the crash record; returns EXCEPTION_EXECUTE_HANDLER.
LONG WINAPI MyExceptionsHandler(EXCEPTION_POINTERS* pointers);
