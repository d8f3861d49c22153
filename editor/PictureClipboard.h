// The picture on the clipboard, as every Windows picture tool trades it: a
// device-independent bitmap (CF_DIB), which Windows also makes from CF_BITMAP
// and CF_DIBV5 for whoever asks.
#pragma once

#include <windows.h>

// Puts the visible picture (the current width x height) on the clipboard as a
// one-bit bitmap: colour 0 black, colour 1 white, ink black, rows bottom-up.
// Returns 1 when the clipboard took it.
int CopyPictureToClipboard(HWND owner);

// The clipboard's picture, loaded at the current size as a bitmap file of the
// same pixels would be (see ImportLoadedBitmap); null when the clipboard holds
// no picture or it cannot be loaded.
HANDLE LoadClipboardPicture(HWND owner);
