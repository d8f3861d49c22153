// An image as the decoders deliver it: 8-bit RGBA, rows top to bottom, no
// padding. The pixels are a malloc'd block.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

struct FreeDeleter {
    void operator()(uint8_t* block) const { std::free(block); }
};

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint8_t, FreeDeleter> rgba; // width * height * 4 bytes
};

// The largest image the decoders accept, in pixels: a 40-megapixel photo
// still converts, a decompression bomb is refused before it is unpacked.
constexpr int64_t kMaxImagePixels = 40 * 1000 * 1000;
