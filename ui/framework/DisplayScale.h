// Display scaling: the dots per inch a window is shown at, and what a dialog
// built from a template becomes at another scale. The dialog manager turns
// dialog units into pixels with the base units of the dialog's font; when the
// window moves to a monitor of another scale, the same units are laid out
// again with those base units grown or shrunk in proportion, and the font is
// made again for the new scale.
#pragma once

#include <windows.h>

// A position and size in dialog units (4 across to an average character, 8
// down to its height), or in pixels.
struct DialogRect {
    int left, top, width, height;
};

// What the dialog manager made a dialog with: the display scale, the pixels of
// 4 dialog units across and of 8 down, and the dialog's font.
struct DialogMetrics {
    int dpi;
    int baseX, baseY;
    LOGFONTA font;
};

// The dots per inch of the monitor a window is on where the system tells them
// per window (Windows 10 version 1607 and later), else the system's.
int WindowDpi(HWND window);

// The dialog's metrics, read from the dialog manager while it is at the scale
// it was made for.
DialogMetrics MeasureDialog(HWND dialog);

// units in pixels at dpi: exactly what the dialog manager gives at the
// dialog's own scale, grown or shrunk in proportion at another.
DialogRect DialogToPixels(const DialogRect& units, const DialogMetrics& metrics, int dpi);

// The dialog's font made again for dpi; the caller owns it.
HFONT CreateDialogFontForDpi(const DialogMetrics& metrics, int dpi);

// Gives every child of dialog the font, and redraws them.
void SetFontOfChildren(HWND dialog, HFONT font);
