// Where an image lands in the picture: stretched over all of it, fitted inside
// it or filling it, the last two keeping the image's aspect ratio.
#pragma once

#include <cstdint>

enum class ImageFit {
    Stretch, // the image's width and height each scaled to the picture's
    Fit,     // the whole image, as large as fits; the rest of the picture stays empty
    Fill     // the picture covered; what overflows is cut off evenly
};

// The image scaled to width x height cells, its top-left cell at (left, top)
// of the picture: inside the picture for Fit, at or left of and above its
// corner for Fill.
struct ImagePlacement {
    int64_t width = 0;
    int64_t height = 0;
    int64_t left = 0;
    int64_t top = 0;
};

// The image's size times the smaller (Fit) or larger (Fill) of the two ratios
// picture / image, each side rounded to the nearest cell (halves up) and at
// least 1. An odd leftover leaves its extra cell right and below (Fit); an odd
// overflow is cut one cell more at the right and bottom (Fill).
ImagePlacement PlaceImage(int64_t imageWidth, int64_t imageHeight, int pictureWidth,
                          int pictureHeight, ImageFit fit);
