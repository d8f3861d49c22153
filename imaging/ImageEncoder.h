// A picture of cells as an image file in memory: PNG or BMP through the
// platform's encoders, PBM (binary, P4) by hand. Each cell becomes a square of
// scale x scale pixels.
#pragma once

#include <cstdint>
#include <vector>

enum class ImageFormat { Png, Bmp, Pbm };

struct ImageLook {
    int scale = 1;
    uint32_t ink = 0x00000000; // 0x00BBGGRR
    uint32_t background = 0x00FFFFFF;
};

// The width x height cells (one byte each, row by row, 1 for ink) encoded;
// empty when encoding failed. PBM has no colours: it is always ink 1,
// background 0.
std::vector<uint8_t> EncodePicture(ImageFormat format, const ImageLook& look, const uint8_t* cells,
                                   int width, int height);
