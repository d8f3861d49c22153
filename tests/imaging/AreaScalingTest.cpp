#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "imaging/AreaScaling.h"

namespace {

// An opaque grey image from its levels, row by row.
DecodedImage GreyImage(int width, int height, std::initializer_list<int> levels) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.rgba.reset(static_cast<uint8_t*>(std::malloc(size_t(width) * height * 4)));
    uint8_t* out = image.rgba.get();
    for (int level : levels) {
        out[0] = out[1] = out[2] = uint8_t(level);
        out[3] = 255;
        out += 4;
    }
    return image;
}

uint32_t Level(double grey) {
    return uint32_t(grey * kLightnessPerLevel);
}

TEST(AreaScalingTest, CellsAverageTheAreaTheyCover) {
    // Halving: each cell is the mean of a 2 x 2 block.
    DecodedImage image = GreyImage(4, 2, {0, 255, 0, 0, 255, 0, 255, 255});
    EXPECT_EQ(ScaleByAreaAverage(image, 2, 1), (std::vector<uint32_t>{Level(127.5), Level(127.5)}));
    // Three pixels into two cells: each covers an outer pixel and half the
    // middle one, so (2a + b) / 3 and (b + 2c) / 3.
    image = GreyImage(3, 1, {0, 90, 255});
    EXPECT_EQ(ScaleByAreaAverage(image, 2, 1), (std::vector<uint32_t>{Level(30), Level(200)}));
    // Enlarging: two pixels over five cells; the middle cell straddles both.
    image = GreyImage(2, 1, {0, 250});
    EXPECT_EQ(ScaleByAreaAverage(image, 5, 1),
              (std::vector<uint32_t>{Level(0), Level(0), Level(125), Level(250), Level(250)}));
}

} // namespace
