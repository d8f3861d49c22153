// Import of a Windows bitmap file into the picture, through the platform's
// image loader: the image is scaled to the current picture size and reduced
// to black and white, and its black pixels become ink.
#pragma once

#include <windows.h>

#include "files/BitmapFile.h"

// Replaces the picture with the image at path, scaled to the current size.
// window only lends a screen-compatible device context. Returns 1 when the
// image was loaded; 0 when it could not be, and then no cell is changed.
int ImportBitmap(const char* path, HWND window);
