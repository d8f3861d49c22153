// The current picture as an image file in memory: PNG or BMP through the
// platform's encoders, PBM (binary, P4) by hand. Each cell becomes a square of
// scale x scale pixels.
#pragma once

#include <cstdint>
#include <vector>

enum class ImageFormat { Png, Bmp, Pbm };

struct ImageLook {
    int scale = 1;
    bool colours = false; // the editor's screen colours instead of black on white
};

// The encoded file; empty when encoding failed. PBM has no colours: it is
// always ink 1, background 0.
std::vector<uint8_t> EncodePicture(ImageFormat format, const ImageLook& look);
