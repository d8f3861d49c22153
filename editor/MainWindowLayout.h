// Where the controls of the main window go: one list of rectangles in dialog
// units, the very positions of template 102, laid out at any display scale.
// A control added to the window is added to the list.
#pragma once

#include <windows.h>

#include "ui/framework/DisplayScale.h"

struct ControlPlace {
    int id;
    DialogRect units;
};

// The controls below the canvas, in template order.
extern const ControlPlace kMainWindowControls[];
extern const int kMainWindowControlCount;

// Moves and sizes every control of the list for dpi.
void LayOutMainWindow(HWND dialog, const DialogMetrics& metrics, int dpi);
