// Scaling an image to the picture size by area averaging: every picture cell
// takes the mean lightness of the part of the image it covers, each image
// pixel weighted by the area it shares with the cell. Whole numbers
// throughout, so every build gives the same cells.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/DecodedImage.h"

// Lightness of one pixel in units of 1/255000 of a grey level: Rec. 601 luma
// (299 R + 587 G + 114 B) / 1000, composited over white by its alpha, so that
// transparent pixels count as white. Black is 0, white kWhiteLightness.
constexpr uint32_t kLightnessPerLevel = 255000;
constexpr uint32_t kWhiteLightness = 255 * kLightnessPerLevel;
uint32_t PixelLightness(const uint8_t* rgba);

// The mean lightness of each cell of a width x height grid laid over the
// image, row by row, rounded down to whole units.
std::vector<uint32_t> ScaleByAreaAverage(const DecodedImage& image, int width, int height);

// The cells of columns [firstColumn, firstColumn + columns) and rows
// [firstRow, firstRow + rows) of a width x height grid laid over the image:
// the part of an image scaled beyond the picture that the picture shows.
std::vector<uint32_t> ScaleByAreaAverage(const DecodedImage& image, int64_t width, int64_t height,
                                         int64_t firstColumn, int64_t firstRow, int columns,
                                         int rows);
