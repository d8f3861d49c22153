// Import of a Windows bitmap file into the picture, through the platform's
// image loader: the image is scaled to the current picture size and reduced
// to black and white, and its black pixels become ink. A file stored top row
// first, which some loaders leave blank, goes to the loader as its bottom-up
// twin, so the order of the rows never changes the result.
#pragma once

#include <windows.h>

#include "files/BitmapFile.h"

// Replaces the picture with the image at path, scaled to the current size.
// window only lends a screen-compatible device context. Returns 1 when the
// image was loaded and read; 0 when it could not be, and then no cell is
// changed.
int ImportBitmap(const char* path, HWND window);

// The bitmap file held in bytes, loaded as ImportBitmap loads a file (the
// bytes go to the loader through a temporary file), scaled to width x height;
// null when it cannot be loaded. The caller deletes it (DeleteObject).
HANDLE LoadBitmapBytes(const uint8_t* bytes, size_t size, int width, int height);

// Replaces the picture with an image that LoadBitmapBytes loaded at the
// current size, and deletes the image. Returns 1 when it was read.
int ImportLoadedBitmap(HANDLE image, HWND window);

// Reads an image already loaded at the current size into the picture, through
// a memory device context compatible with screenDc. 0, with no cell changed,
// when that context cannot be made or the image cannot be selected into it.
int CopyBitmapToPicture(HANDLE image, HDC screenDc);
