// The netpbm formats, read by hand: PBM (P1, P4), PGM (P2, P5) and PPM (P3,
// P6), with any maximum value from 1 to 65535. Samples are scaled to 0..255;
// in PBM a 1 is black.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/DecodedImage.h"

// 1 when the data begins like a netpbm file ("P1" to "P6").
int IsNetpbm(const uint8_t* data, size_t size);

// Decodes the first image of a netpbm file. Returns 1, or 0 with a reason in
// error. Images of more than maxPixels pixels are refused.
int ReadNetpbm(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
               std::string& error);
