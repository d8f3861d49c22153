#include "imaging/ImageFit.h"

namespace {

// numerator / denominator to the nearest whole number, halves up; at least 1.
int64_t RoundedCells(int64_t numerator, int64_t denominator) {
    int64_t cells = (2 * numerator + denominator) / (2 * denominator);
    return cells < 1 ? 1 : cells;
}

} // namespace

ImagePlacement PlaceImage(int64_t imageWidth, int64_t imageHeight, int pictureWidth,
                          int pictureHeight, ImageFit fit) {
    ImagePlacement place;
    if (fit == ImageFit::Stretch) {
        place.width = pictureWidth;
        place.height = pictureHeight;
        return place;
    }
    // The width ratio is the smaller one when W / w <= H / h.
    bool widthRatioSmaller = pictureWidth * imageHeight <= pictureHeight * imageWidth;
    if (widthRatioSmaller == (fit == ImageFit::Fit)) {
        place.width = pictureWidth;
        place.height = RoundedCells(imageHeight * pictureWidth, imageWidth);
    } else {
        place.width = RoundedCells(imageWidth * pictureHeight, imageHeight);
        place.height = pictureHeight;
    }
    if (fit == ImageFit::Fit) {
        place.left = (pictureWidth - place.width) / 2;
        place.top = (pictureHeight - place.height) / 2;
    } else {
        place.left = -((place.width - pictureWidth) / 2);
        place.top = -((place.height - pictureHeight) / 2);
    }
    return place;
}
