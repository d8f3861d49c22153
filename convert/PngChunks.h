// The chunk structure of a PNG file, checked before its pixels are decoded:
// every chunk lies inside the file and carries a correct checksum, and the
// file goes on to its IEND chunk. Decoders check the chunks they read, but a
// file cut short after its last image data, or damaged in a chunk a decoder
// skips, would otherwise still give a picture.
#pragma once

#include <cstddef>
#include <cstdint>

// 1 when the chunks are sound; 0 with the fault in why (a static text).
int PngChunksAreSound(const uint8_t* data, size_t size, const char*& why);
