#include "ui/framework/WindowHelpers.h"

BOOL PlaceWindow(HWND window, int x, int y, int width, int height, int sizeOnly) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (sizeOnly)
        flags |= SWP_NOMOVE;
    return SetWindowPos(window, nullptr, x, y, width, height, flags);
}

LRESULT SetButtonCheck(HWND dialog, int controlId, int checked) {
    return SendDlgItemMessageA(dialog, controlId, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED,
                               0);
}
