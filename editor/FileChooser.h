// The open and save file choosers of Load... and Save...: the platform's
// common dialogs, started in the program's directory, with a filter list from
// the string table. Each returns the chosen path in its own buffer, valid until
// its next call, or an empty text when the user cancels. Never null. The
// process's current directory is the same after a chooser as before it.
#pragma once

#include <windows.h>

#include <commdlg.h>

const char* ChooseOpenPath(HWND owner, int filterStringId, const char* defaultExtension);
// The save dialog also asks before an existing file is chosen.
const char* ChooseSavePath(HWND owner, int filterStringId, const char* defaultExtension);

// The platform's dialog functions (GetOpenFileNameA, GetSaveFileNameA) can be
// replaced by stand-ins for tests; null restores the platform's.
using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);
void SetFileDialogsForTest(FileDialogFunction open, FileDialogFunction save);
