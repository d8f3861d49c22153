// Bitmaps whose 16- or 32-bit pixels hold their channels where bit masks in
// the header say (BI_BITFIELDS), read by hand. The Windows Imaging Component
// reads only the usual masks (5-5-5, 5-6-5, 8-8-8 in blue-green-red order);
// Windows programs read any.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/DecodedImage.h"

// 1 when the data is an uncompressed bitmap with bit fields: a header of 40
// bytes or more, 16 or 32 bits a pixel, compression 3.
int IsBitFieldBitmap(const uint8_t* data, size_t size);

// Decodes such a bitmap: each channel scaled from its mask's width to
// 0..255, opaque unless an alpha mask is given. Returns 1, or 0 with a reason
// in error. Images of more than maxPixels pixels are refused.
int ReadBitFieldBitmap(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                       std::string& error);
