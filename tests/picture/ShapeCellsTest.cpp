#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "picture/LineSteps.h"
#include "picture/ShapeCells.h"

namespace {

using Cells = std::set<std::pair<int, int>>;

Cells Shaped(Shape shape, CellHit a, CellHit b, int height = kGridRows) {
    CellSet set;
    ShapeCells(shape, a, b, kGridColumns, height, set);
    Cells cells;
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            if (set.cells[row * kGridColumns + column])
                cells.insert({column, row});
    return cells;
}

Cells Stroke(CellHit a, CellHit b) {
    Cells cells;
    LineSteps steps(a, b, 0);
    for (CellHit at; steps.Next(at);)
        if (at.column >= 0 && at.column < kGridColumns && at.row >= 0 && at.row < kGridRows)
            cells.insert({at.column, at.row});
    return cells;
}

TEST(ShapeCellsTest, LineIsThePenStrokeEitherWayAndCutAtTheEdges) {
    const CellHit ends[][2] = {{{3, 4}, {60, 17}}, {{60, 17}, {3, 4}}, {{90, 2}, {10, 40}},
                               {{-20, -9}, {120, 70}}, {{50, 10}, {50, 10}}};
    for (const auto& end : ends)
        EXPECT_EQ(Stroke(end[0], end[1]), Shaped(Shape::Line, end[0], end[1]));
}

TEST(ShapeCellsTest, RectangleBorderAndFilledBoxCutAtThePicture) {
    // A whole border is checked end to end (tests/e2e/test_painting.py).
    EXPECT_EQ(size_t(29 * 16), Shaped(Shape::FilledRectangle, {2, 20}, {30, 5}).size());
    // Corners beyond the picture: only the right and bottom sides remain,
    // within the logo's 29 rows.
    Cells cut = Shaped(Shape::Rectangle, {-10, -10}, {40, 20}, kLogoHeight);
    EXPECT_EQ(size_t(41 + 20), cut.size());
    EXPECT_EQ(size_t(101 * 29), Shaped(Shape::FilledRectangle, {-5, -5}, {200, 80}, 29).size());
    EXPECT_EQ((Cells{{7, 7}}), Shaped(Shape::Rectangle, {7, 7}, {7, 7}));
}

// Distance from the middle of cell (c, r) to the ellipse through the middles
// of the box's edge cells, by a dense walk round it.
double DistanceToIdeal(double c, double r, int left, int top, int right, int bottom) {
    double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    double best = 1e9;
    for (int i = 0; i < 1000; ++i) {
        double t = i * 2 * 3.14159265358979 / 1000;
        best = std::fmin(best, std::hypot(cx + rx * std::cos(t) - c, cy + ry * std::sin(t) - r));
    }
    return best;
}

TEST(ShapeCellsTest, EllipseClosedSymmetricTouchingItsBoxAndNearTheIdeal) {
    for (int width = 1; width <= 26; width += (width < 9 ? 1 : 4))
        for (int height = 1; height <= 23; height += (height < 9 ? 1 : 3)) {
            const int left = 10, top = 3, right = left + width - 1, bottom = top + height - 1;
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            Cells outline = Shaped(Shape::Ellipse, {right, top}, {left, bottom});
            for (auto [c, r] : outline) {
                ASSERT_TRUE(c >= left && c <= right && r >= top && r <= bottom);
                EXPECT_TRUE(outline.count({left + right - c, r}) && outline.count({c, top + bottom - r}))
                    << "asymmetric at " << c << "," << r;
                EXPECT_LE(DistanceToIdeal(c, r, left, top, right, bottom), 1.0) << c << "," << r;
                int neighbours = 0;
                for (int dr = -1; dr <= 1; ++dr)
                    for (int dc = -1; dc <= 1; ++dc)
                        neighbours += (dc || dr) && outline.count({c + dc, r + dr});
                // Closed: every cell joins two others; a line only at its ends joins one.
                EXPECT_TRUE(neighbours >= 2 || width == 1 || height == 1) << "open at " << c << "," << r;
            }
            bool touches[4] = {};
            for (auto [c, r] : outline) {
                touches[0] |= c == left, touches[1] |= c == right;
                touches[2] |= r == top, touches[3] |= r == bottom;
            }
            EXPECT_TRUE(touches[0] && touches[1] && touches[2] && touches[3]);
            EXPECT_TRUE((width > 1 && height > 1) || outline.size() == size_t(width * height))
                << "not a straight line";
            // Filled: the outline and, in each row, every cell between its ends.
            Cells filled = Shaped(Shape::FilledEllipse, {left, top}, {right, bottom});
            for (int r = top; r <= bottom; ++r) {
                int first = right + 1, last = left - 1;
                for (auto [c, row] : outline)
                    if (row == r)
                        first = std::min(first, c), last = std::max(last, c);
                for (int c = left; c <= right; ++c)
                    EXPECT_EQ(c >= first && c <= last, filled.count({c, r}) == 1) << c << "," << r;
            }
        }
}

} // namespace
