// Checks that an image file is whole, made before its pixels are decoded. The
// image libraries check what they decode, but some of them give a picture
// from a file that was cut short: GDK-Pixbuf fills the missing rows of a
// bitmap and the end of a JPEG with grey or black, and a PNG decoder stops
// reading at its last row of pixels. Each check reads only the file's framing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "imaging/DecodedImage.h"
#include "imaging/ImageKind.h"

// 1 when nothing is missing, or for a format not checked here; 0 with the
// fault in why (a static text).
int ImageIsWhole(ImageKind kind, const uint8_t* data, size_t size, const char*& why);

// The refusals every decoder makes before the platform's library sees a file:
// a format that library does not take here (takesFormat 0), a file that is
// not whole, a size its header declares beyond maxPixels pixels, a PNG whose
// image data inflates to more or less than its rows, a GIF frame without
// pixels. 1 to go on decoding; 0 with the one-line reason in error.
int ReadyToDecode(ImageKind kind, int takesFormat, const uint8_t* data, size_t size,
                  int64_t maxPixels, std::string& error);

// What every decoder settles before the platform's library sees a file: a
// Netpbm picture and a run-length bitmap, which the program reads itself, and
// the refusals of ReadyToDecode. 1 or 0 as DecodeImage when settled; -1 to
// hand the file to the library.
int DecodeBeforeLibrary(ImageKind kind, int takesFormat, const uint8_t* data, size_t size,
                        int64_t maxPixels, DecodedImage& image, std::string& error);

// "image too large (W x H pixels)".
std::string ImageTooLarge(int64_t width, int64_t height);
