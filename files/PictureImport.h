// Import of a picture in any image format the converter reads (PNG, GIF,
// JPEG, TIFF, ICO through the platform's image library, Netpbm through the
// program's own reader), decided by the file's content. The picture goes
// through the very import a 24-bit bitmap file of the same pixels would:
// scaled to the current size by the platform's bitmap loader, transparent
// pixels white, every exactly black pixel ink.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Replaces the picture with the image at path. Returns 1 when it was read;
// 0 when the file cannot be read, is no image or a damaged one, and then no
// cell is changed.
int ImportPicture(const char* path, HWND window);

// A device-independent bitmap (a clipboard's CF_DIB) loaded at the current
// size as the bitmap file it would be with a file header put before it, for
// ImportLoadedBitmap (BitmapImport.h); null when it cannot be.
HANDLE LoadDib(const uint8_t* dib, size_t size);
