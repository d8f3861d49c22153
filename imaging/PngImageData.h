// Checks a PNG file's compressed image data before a decoder sees it:
// GDK-Pixbuf's PNG loader takes a stream that ends early, or that is damaged
// but carries right checksums, and leaves the rows it never got empty; and
// every decoder inflates whatever the file holds, so that a file of a few
// megabytes whose data inflates to gigabytes takes minutes. The check stops
// inflating as soon as the data passes what the header needs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/InflateWalk.h"

struct PngDataCheck {
    const char* fault = nullptr; // why the data is refused (a static text)
    int tooLarge = 0;            // the header's size passes the pixel limit
    uint32_t width = 0, height = 0;
};

// 1 when the IDAT chunks hold one complete zlib stream with exactly the
// bytes the header's size, depth, colour type and interlacing need (or when
// there is no header this check knows: the decoder then says what is wrong);
// 0 with check.fault set, or with check.tooLarge when the header asks for
// more than maxPixels pixels, which is seen before anything is inflated. The
// chunks must already be known to lie inside the file (ImageIsWhole).
int PngImageDataIsWhole(const uint8_t* data, size_t size, int64_t maxPixels, PngDataCheck& check);

// Inflates the stream in the pieces until it ends or its output passes
// limit; each platform with what it has (zlib on Linux, which also checks
// the stream's check value; the program's own walk on Windows).
InflateWalk MeasureImageData(BytePieces& pieces, uint64_t limit, uint64_t& produced);
