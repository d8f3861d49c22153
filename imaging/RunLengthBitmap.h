// Run-length coded bitmaps (RLE8 and RLE4), read by hand for Windows: Wine's
// imaging component paints the pixels that a delta skips black, where Windows
// programs and GDK-Pixbuf leave them transparent, and it misplaces rows after
// some deltas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/DecodedImage.h"

// 1 when the data is a bitmap with a header of 40 bytes or more and
// run-length coded rows (compression 1 or 2).
int IsRunLengthBitmap(const uint8_t* data, size_t size);

// Decodes such a bitmap from its colour table. Pixels that a delta or the end
// mark skips stay transparent; a run that goes past the end of its row is cut
// off there; an index beyond the colour table is black. Returns 1, or 0 with
// a reason in error. Images of more than maxPixels pixels are refused.
int ReadRunLengthBitmap(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                        std::string& error);
