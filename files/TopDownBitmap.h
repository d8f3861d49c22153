// Bitmap files whose rows are stored top row first (a negative height). Some
// platform image loaders (Wine's LoadImageA among them) load such a file as a
// blank image, so the import turns it into its bottom-up twin and hands that
// to the loader like any other bitmap; this finds the pieces it needs, checks
// that they lie inside the file, and turns the rows round. Run-length encoded
// rows (RLE8, RLE4) are unpacked on the way: their twin is stored uncompressed,
// with the same palette, so the loader sees the same colour indexes.
#pragma once

#include <cstddef>
#include <cstdint>

struct TopDownBitmapLayout {
    size_t infoOffset; // the information header, colour masks and colour table
    size_t infoSize;
    size_t bitsOffset; // the rows, top row first, or their run-length codes
    size_t bitsSize;
    size_t twinSize; // the bytes of the bottom-up twin
    int32_t width;
    int32_t height; // the number of rows, positive
    uint32_t bitCount;
    uint32_t compression;
};

// 1 when bytes hold a bitmap file ("BM") with an information header of at
// least 40 bytes, a negative height, one plane, 1, 4, 8, 16, 24 or 32 bits
// per pixel, stored uncompressed (BI_RGB, or BI_BITFIELDS at 16 and 32 bits)
// or run-length encoded (RLE8 at 8 bits, RLE4 at 4 bits), and every piece the
// layout names inside the bytes. Else 0: the platform's loader is left to deal
// with the file.
int FindTopDownBitmap(const uint8_t* bytes, size_t size, TopDownBitmapLayout& layout);

// Writes to out (layout.twinSize bytes) the file in bytes, laid out as
// FindTopDownBitmap found, as the same picture stored bottom row first: a
// positive height and the rows in reverse order. Uncompressed, every other
// byte is copied as it is; run-length encoded, the headers and the colour
// table are, and the rows are unpacked (pixels the codes skip get colour 0).
void CopyAsBottomUp(const uint8_t* bytes, size_t size, const TopDownBitmapLayout& layout,
                    uint8_t* out);
