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

// The strip right of the canvas starts at this x; the real-size preview, made
// at run time, sits at its top, at y kPreviewTop. Its size stays one screen
// pixel a cell at every scale.
constexpr int kStripLeft = 482;
constexpr int kPreviewTop = 5;

// The controls below and right of the canvas, in template order.
extern const ControlPlace kMainWindowControls[];
extern const int kMainWindowControlCount;

// Moves and sizes every control of the list for dpi.
void LayOutMainWindow(HWND dialog, const DialogMetrics& metrics, int dpi);
