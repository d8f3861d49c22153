#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "picture/LineSteps.h"

namespace {

std::vector<CellHit> Line(CellHit from, CellHit to, int skipFirst = 0) {
    std::vector<CellHit> cells;
    LineSteps steps(from, to, skipFirst);
    for (CellHit cell; steps.Next(cell);)
        cells.push_back(cell);
    return cells;
}

TEST(LineStepsTest, EveryCellOnceFromEndToEndFlatSteepAndBothWays) {
    const CellHit centre = {50, 24};
    for (CellHit end : {CellHit{100, 24}, {50, 0}, {100, 48}, {93, 30}, {57, 0}, {44, 48}})
        for (auto [from, to] : {std::pair{centre, end}, {end, centre}}) {
            std::vector<CellHit> cells = Line(from, to);
            int dx = to.column - from.column, dy = to.row - from.row;
            int length = std::max(std::abs(dx), std::abs(dy));
            ASSERT_EQ(size_t(length + 1), cells.size());
            EXPECT_TRUE(cells.back().column == to.column && cells.back().row == to.row);
            for (int i = 0; i <= length; ++i) {
                // One step further along the main direction each, and within
                // half a cell of the true line.
                int c = cells[i].column - from.column, r = cells[i].row - from.row;
                EXPECT_EQ(i, std::max(std::abs(c), std::abs(r)));
                EXPECT_LE(2 * std::abs(dx * r - dy * c), length) << c << "," << r;
            }
        }
    EXPECT_EQ(1u, Line({5, 5}, {5, 5}).size());
    EXPECT_TRUE(Line({5, 5}, {5, 5}, 1).empty());
    EXPECT_EQ(4, Line({3, 4}, {9, 1}, 1).front().column); // what follows (3, 4)
}

} // namespace
