#include <gtest/gtest.h>

#include <vector>

#include "imaging/AreaScaling.h"
#include "imaging/InkDecision.h"

namespace {

constexpr int kWidth = 101, kHeight = 49, kCells = kWidth * kHeight;

class InkDecisionTest : public ::testing::Test {
  protected:
    static std::vector<uint32_t> Uniform(uint32_t lightness) {
        return std::vector<uint32_t>(size_t(kCells), lightness);
    }
    int InkCells() const {
        int ink = 0;
        for (uint8_t cell : cells_)
            ink += cell;
        return ink;
    }
    void Decide(const std::vector<uint32_t>& lightness, const InkRule& rule) {
        DecideInk(lightness, rule, cells_, kWidth, kHeight);
    }
    int CellAt(int x, int y) const { return cells_[y * kWidth + x]; }

    uint8_t cells_[kCells] = {};
};

TEST_F(InkDecisionTest, ThresholdInksCellsStrictlyDarker) {
    std::vector<uint32_t> cells = Uniform(kWhiteLightness);
    cells[0] = 128 * kLightnessPerLevel - 1; // a hair darker than 128
    cells[1] = 128 * kLightnessPerLevel;     // exactly 128
    cells[2] = 0;
    cells[kWidth * 48 + 100] = 0; // bottom-right corner
    InkRule rule;
    Decide(cells, rule);
    EXPECT_EQ(CellAt(0, 0), 1);
    EXPECT_EQ(CellAt(1, 0), 0);
    EXPECT_EQ(CellAt(2, 0), 1);
    EXPECT_EQ(CellAt(100, 48), 1);
    EXPECT_EQ(InkCells(), 3);

    rule.threshold = 0; // nothing is darker than black
    Decide(cells, rule);
    EXPECT_EQ(InkCells(), 0);
    rule.invert = true;
    Decide(cells, rule);
    EXPECT_EQ(InkCells(), kCells);
}

TEST_F(InkDecisionTest, DitherKeepsShadesAsDotDensity) {
    InkRule rule;
    rule.dither = true;
    for (int grey : {0, 64, 128, 191, 255}) {
        Decide(Uniform(uint32_t(grey) * kLightnessPerLevel), rule);
        // The share of ink follows the darkness: within one row's worth.
        int expected = kCells * (255 - grey) / 255;
        EXPECT_NEAR(InkCells(), expected, kWidth) << "grey " << grey;
    }
    // A flat threshold turns the same mid grey into one colour only.
    rule.dither = false;
    Decide(Uniform(100 * kLightnessPerLevel), rule);
    EXPECT_EQ(InkCells(), kCells);
}

} // namespace
