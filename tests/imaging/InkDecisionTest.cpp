#include <gtest/gtest.h>

#include <vector>

#include "imaging/AreaScaling.h"
#include "imaging/InkDecision.h"
#include "picture/FreshPicture.h"
#include "picture/PictureGrid.h"

namespace {

class InkDecisionTest : public FreshPictureTest {
  protected:
    static std::vector<uint32_t> Uniform(uint32_t lightness) {
        return std::vector<uint32_t>(size_t(kGridColumns) * PictureHeight(), lightness);
    }
    static int InkCells() {
        int ink = 0;
        for (uint8_t cell : thePicture.cells)
            ink += cell;
        return ink;
    }
};

TEST_F(InkDecisionTest, ThresholdInksCellsStrictlyDarker) {
    std::vector<uint32_t> cells = Uniform(kWhiteLightness);
    cells[0] = 128 * kLightnessPerLevel - 1; // a hair darker than 128
    cells[1] = 128 * kLightnessPerLevel;     // exactly 128
    cells[2] = 0;
    cells[kGridColumns * 48 + 100] = 0;      // bottom-right corner
    InkRule rule;
    DecideInk(cells, rule);
    EXPECT_EQ(CellAt(0, 0), 1);
    EXPECT_EQ(CellAt(1, 0), 0);
    EXPECT_EQ(CellAt(2, 0), 1);
    EXPECT_EQ(CellAt(100, 48), 1);
    EXPECT_EQ(InkCells(), 3);

    rule.threshold = 0; // nothing is darker than black
    DecideInk(cells, rule);
    EXPECT_EQ(InkCells(), 0);
    rule.invert = true;
    DecideInk(cells, rule);
    EXPECT_EQ(InkCells(), kGridCells);
}

TEST_F(InkDecisionTest, DitherKeepsShadesAsDotDensity) {
    InkRule rule;
    rule.dither = true;
    for (int grey : {0, 64, 128, 191, 255}) {
        ClearPicture();
        DecideInk(Uniform(uint32_t(grey) * kLightnessPerLevel), rule);
        // The share of ink follows the darkness: within one row's worth.
        int expected = kGridCells * (255 - grey) / 255;
        EXPECT_NEAR(InkCells(), expected, kGridColumns) << "grey " << grey;
    }
    // A flat threshold turns the same mid grey into one colour only.
    rule.dither = false;
    DecideInk(Uniform(100 * kLightnessPerLevel), rule);
    EXPECT_EQ(InkCells(), kGridCells);
}

} // namespace
