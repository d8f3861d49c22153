#include <windows.h>

#include "app/Main.h"
#include "app/RunApplication.h"
#include "diag/ErrorLog.h"

// Every run starts with an empty log; this also drops anything that static
// construction wrote.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd) {
    DeleteFileA(kErrorLogPath);
    if (!MainInstance) {
        LogError("WinMain: class Main==NULL,error code: %d", GetLastError());
        return 1;
    }
    return RunApplication(MainInstance, instance, prevInstance, cmdLine, showCmd);
}
