// Turns the bytes of an image file into RGBA pixels through the platform's
// image library (ImageDecoder_native.cpp, ImageDecoder_win32.cpp): the format
// is the one the first bytes claim (ImageKind.h), an animation gives its
// first frame, and a file its library finds fault with is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/DecodedImage.h"

// No image file comes near this; it keeps a mistaken input (a disk image, say)
// from being read into memory whole.
constexpr uint64_t kMaxImageFileBytes = uint64_t(256) * 1024 * 1024;

// Returns 1, or 0 with a reason in error. Images of more than maxPixels
// pixels are refused before their pixels are unpacked.
int DecodeImage(const uint8_t* data, size_t size, int64_t maxPixels, DecodedImage& image,
                std::string& error);
