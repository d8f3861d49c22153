// A check of a JPEG file's Huffman tables before stb_image sees them. The
// stb_image that Debian ships (2.27) trusts the symbol counts of a DHT
// segment and writes past its tables when they add up to more than 256, so a
// hostile file could overwrite memory. Decoding stays with stb_image.
#pragma once

#include <cstddef>
#include <cstdint>

// 1 when stb_image would take the data for a JPEG file: FF D8, with any
// number of FF fill bytes between the two.
int IsJpeg(const uint8_t* data, size_t size);

// 1 when no DHT segment that stb_image could come across holds a table of
// more than 256 symbols. Every FF C4 in the data is taken as the start of
// such a segment, wherever it lies, so that the answer does not depend on
// following the decoder's own way through the markers. Linear in the size.
int JpegTablesAreSound(const uint8_t* data, size_t size);
