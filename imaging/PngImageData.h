// Checks that a PNG file's compressed image data is whole: GDK-Pixbuf's PNG
// loader takes a stream that ends early, or that is damaged but carries right
// checksums, and leaves the rows it never got empty.
#pragma once

#include <cstddef>
#include <cstdint>

// 1 when the IDAT chunks hold one complete zlib stream with at least the
// bytes the header's size, depth, colour type and interlacing need; 0 with the
// fault in why (a static text). The chunks must already be known to lie
// inside the file (ImageIsWhole).
int PngImageDataIsWhole(const uint8_t* data, size_t size, const char*& why);
