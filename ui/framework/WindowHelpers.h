// Small free functions over window handles.
#pragma once

#include <windows.h>

// SetWindowPos without z-order change or activation; sizeOnly keeps the position.
BOOL PlaceWindow(HWND window, int x, int y, int width, int height, int sizeOnly);
// Checks (checked != 0) or clears a dialog's check box.
LRESULT SetButtonCheck(HWND dialog, int controlId, int checked);
