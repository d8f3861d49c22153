// Bitmap files whose rows are stored top row first (a negative height). Some
// platform image loaders (Wine's LoadImageA among them) load such a file as a
// blank image, so the import turns it into its bottom-up twin and hands that
// to the loader like any other bitmap; this finds the pieces it needs, checks
// that they lie inside the file, and turns the rows round.
#pragma once

#include <cstddef>
#include <cstdint>

struct TopDownBitmapLayout {
    size_t infoOffset; // the information header, colour masks and colour table
    size_t infoSize;
    size_t bitsOffset; // the rows, top row first
    size_t bitsSize;
    int32_t width;
    int32_t height; // the number of rows, positive
};

// 1 when bytes hold a bitmap file ("BM") with an information header of at
// least 40 bytes, a negative height, one plane, 1, 4, 8, 16, 24 or 32 bits
// per pixel, no compression (BI_RGB, or BI_BITFIELDS at 16 and 32 bits), and
// every piece the layout names inside the bytes. Else 0: the platform's loader
// is left to deal with the file.
int FindTopDownBitmap(const uint8_t* bytes, size_t size, TopDownBitmapLayout& layout);

// Copies the file in bytes, laid out as FindTopDownBitmap found, to out (as
// many bytes) as the same picture stored bottom row first: a positive height
// and the rows in reverse order. Every other byte is copied as it is.
void CopyAsBottomUp(const uint8_t* bytes, size_t size, const TopDownBitmapLayout& layout,
                    uint8_t* out);
