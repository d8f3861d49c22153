// Pictures laid out as Windows bitmaps in memory, for the editor: an image as
// a 24-bit bitmap file, so that any picture goes through the very import a
// bitmap file does; cells as a one-bit device-independent bitmap, as the
// clipboard carries pictures; and a clipboard bitmap as the file it would be.
// The caller owns every block; nothing here allocates.
#pragma once

#include <cstddef>
#include <cstdint>

// The bytes of a 24-bit, bottom-up bitmap file of width x height pixels.
size_t RgbBitmapFileSize(int width, int height);

// Writes the width x height RGBA pixels (rows top to bottom) to out as such a
// file, each pixel composited over white by its alpha, so that transparent
// pixels are white.
void WriteRgbBitmapFile(const uint8_t* rgba, int width, int height, uint8_t* out);

// The bytes of a one-bit device-independent bitmap of width x height cells:
// the 40-byte information header, two colours, the rows.
size_t MonochromeDibSize(int width, int height);

// Writes the width x height cells (one byte each, row by row, 1 for ink) to
// out as such a bitmap: colour 0 black, colour 1 white, ink black, rows
// bottom row first.
void WriteMonochromeDib(const uint8_t* cells, int width, int height, uint8_t* out);

// Where the pixels of a device-independent bitmap (an information header,
// then bit masks and colours, then the pixels; no file header) start, from
// its start. 0 when the bytes hold no header of a kind bitmaps have, or the
// pixels would start beyond them.
size_t DibPixelsOffset(const uint8_t* dib, size_t size);

// The file header of a bitmap file of fileSize bytes whose pixels start at
// bitsOffset: the 14 bytes that go before a device-independent bitmap.
void WriteBitmapFileHeader(uint8_t* out, size_t fileSize, size_t bitsOffset);
