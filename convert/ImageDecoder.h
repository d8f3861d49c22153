// Turns the bytes of an image file into RGBA pixels: PNG, BMP, JPEG and GIF
// (its first frame) through stb_image, the netpbm formats by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "convert/DecodedImage.h"

// Returns 1, or 0 with a reason in error. Images of more than maxPixels
// pixels are refused before their pixels are unpacked.
int DecodeImage(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                std::string& error);
