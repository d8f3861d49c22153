// A check of a JPEG file's Huffman table segments before stb_image sees them.
// The stb_image that Debian ships (2.27) trusts the symbol counts of a DHT
// segment and writes past its tables when they add up to more than 256, so a
// hostile file could overwrite memory. This walks the marker segments only;
// decoding stays with stb_image.
#pragma once

#include <cstddef>
#include <cstdint>

// 1 when the data starts like a JPEG file (FF D8).
int IsJpeg(const uint8_t* data, size_t size);

// 1 when every DHT segment of the JPEG data is well formed: each table holds
// at most 256 symbols and lies wholly inside its segment. Anything else about
// the file is left to the decoder.
int JpegTablesAreSound(const uint8_t* data, size_t size);
