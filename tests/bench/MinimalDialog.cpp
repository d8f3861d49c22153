// The smallest program that does what the editor's start does: a dialog from
// a template, shown, closed from outside, ended. The baseline of start-up.
#include <windows.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        PostQuitMessage(0);
        return TRUE;
    }
    (void)window;
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(1), nullptr, DialogProc, 0);
    if (!dialog) return 1;
    ShowWindow(dialog, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
    DestroyWindow(dialog);
    return int(msg.wParam);
}
