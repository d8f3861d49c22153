#include "imaging/InkDecision.h"

#include "imaging/AreaScaling.h"

void DecideInk(const std::vector<uint32_t>& lightness, const InkRule& rule, uint8_t* cells,
               int width, int height) {
    DecideInk(lightness, rule, cells, width, height, 0, 0, width, height);
}

void DecideInk(const std::vector<uint32_t>& lightness, const InkRule& rule, uint8_t* cells,
               int pictureWidth, int pictureHeight, int left, int top, int width, int height) {
    const int64_t level = int64_t(rule.threshold) * kLightnessPerLevel;
    // Lightness plus the error diffused into each cell so far.
    std::vector<int64_t> value(lightness.begin(), lightness.end());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int64_t here = value[size_t(y) * width + x];
            int ink = here < level ? 1 : 0;
            const int column = left + x, row = top + y;
            if (column >= 0 && column < pictureWidth && row >= 0 && row < pictureHeight)
                cells[size_t(row) * pictureWidth + column] = uint8_t(rule.invert ? 1 - ink : ink);
            if (!rule.dither)
                continue;
            // The error goes 7/16 right, 3/16 down left, 5/16 down, and the
            // rest (1/16) down right; what would leave the picture is dropped.
            int64_t error = here - (ink ? 0 : int64_t(kWhiteLightness));
            int64_t right = error * 7 / 16, downLeft = error * 3 / 16, down = error * 5 / 16;
            int64_t downRight = error - right - downLeft - down;
            if (x + 1 < width)
                value[size_t(y) * width + x + 1] += right;
            if (y + 1 < height) {
                int64_t* below = &value[size_t(y + 1) * width + x];
                if (x > 0)
                    below[-1] += downLeft;
                below[0] += down;
                if (x + 1 < width)
                    below[1] += downRight;
            }
        }
    }
}
