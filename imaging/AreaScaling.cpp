#include "imaging/AreaScaling.h"

#include <algorithm>

uint32_t PixelLightness(const uint8_t* rgba) {
    uint32_t luma = 299u * rgba[0] + 587u * rgba[1] + 114u * rgba[2]; // 0..255000
    uint32_t alpha = rgba[3];
    return luma * alpha + 1000u * 255u * (255u - alpha);
}

std::vector<uint32_t> ScaleByAreaAverage(const DecodedImage& image, int width, int height) {
    return ScaleByAreaAverage(image, width, height, 0, 0, width, height);
}

std::vector<uint32_t> ScaleByAreaAverage(const DecodedImage& image, int64_t width, int64_t height,
                                         int64_t firstColumn, int64_t firstRow, int columns,
                                         int rows) {
    // Measured in units where an image pixel is width (height) units across
    // and a cell image.width (image.height) units: cell x spans
    // [x * W, (x + 1) * W) and pixel i spans [i * w, (i + 1) * w).
    const int64_t sourceWidth = image.width, sourceHeight = image.height;
    const int64_t area = sourceWidth * sourceHeight; // of one cell, in these units squared
    std::vector<uint32_t> cells(size_t(columns) * size_t(rows));
    for (int64_t y = firstRow; y < firstRow + rows; ++y) {
        int64_t top = y * sourceHeight, bottom = top + sourceHeight;
        for (int64_t x = firstColumn; x < firstColumn + columns; ++x) {
            int64_t left = x * sourceWidth, right = left + sourceWidth;
            uint64_t sum = 0;
            for (int64_t row = top / height; row * height < bottom; ++row) {
                int64_t rowTop = row * height;
                int64_t overlapY = std::min(bottom, rowTop + height) - std::max(top, rowTop);
                const uint8_t* line = image.rgba.get() + size_t(row) * size_t(sourceWidth) * 4;
                for (int64_t column = left / width; column * width < right; ++column) {
                    int64_t columnLeft = column * width;
                    int64_t overlapX =
                        std::min(right, columnLeft + width) - std::max(left, columnLeft);
                    sum +=
                        uint64_t(PixelLightness(line + column * 4)) * uint64_t(overlapX * overlapY);
                }
            }
            cells[size_t(y - firstRow) * size_t(columns) + size_t(x - firstColumn)] =
                uint32_t(sum / uint64_t(area));
        }
    }
    return cells;
}
