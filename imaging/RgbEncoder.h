// The platform's image encoders, for the formats they write: PNG and BMP from
// 8-bit RGB rows, top row first and without padding.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/ImageEncoder.h"

// The encoded file; empty when encoding failed or format is not PNG or BMP.
std::vector<uint8_t> EncodeRgb(ImageFormat format, int width, int height, const uint8_t* rgb);
