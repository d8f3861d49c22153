#include "app/Main.h"

#include <windows.h>

#include "app/AppContext.h"
#include "diag/CrashReport.h"
#include "diag/ErrorLog.h"

Main* MainInstance = nullptr;

namespace {

// Accelerators go to the top-level window that the message belongs to;
// messages without a window are not translated.
HWND AcceleratorTarget(HWND messageWindow) {
    return messageWindow ? GetAncestor(messageWindow, GA_ROOT) : nullptr;
}

} // namespace

// The first object becomes the application. A later one is refused: it never
// changed the error mode, so it leaves the first object's quiet mode alone.
Main::Main() {
    if (MainInstance) {
        LogError("class Main is only one!,error code: %d", GetLastError());
        return;
    }
    MainInstance = this;
    InstallCrashHandler();
}

Main::~Main() {
    if (MainInstance == this)
        RestoreErrorMode();
}

// No TranslateMessage and no IsDialogMessageA in the plain form: the main
// window gets neither WM_CHAR nor dialog keyboard handling.
int Main::MessageLoop(int accelTableId) {
    MSG msg = {};
    if (!accelTableId) {
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        return static_cast<int>(msg.wParam);
    }
    HACCEL table = LoadAcceleratorsA(theAppContext->instance, MAKEINTRESOURCEA(accelTableId));
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(AcceleratorTarget(msg.hwnd), table, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
