#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "picture/LineSteps.h"

namespace {

std::vector<std::pair<int, int>> Line(CellHit from, CellHit to, int skipFirst = 0) {
    std::vector<std::pair<int, int>> cells;
    LineSteps steps(from, to, skipFirst);
    for (CellHit cell; steps.Next(cell);)
        cells.push_back({cell.column, cell.row});
    return cells;
}

// Every cell once, neighbours touching, from one end to the other, and within
// half a cell of the true line.
void ExpectStraightPath(CellHit from, CellHit to) {
    SCOPED_TRACE(testing::Message() << "(" << from.column << "," << from.row << ") to ("
                                    << to.column << "," << to.row << ")");
    auto cells = Line(from, to);
    int dx = to.column - from.column, dy = to.row - from.row;
    ASSERT_EQ(size_t(std::max(std::abs(dx), std::abs(dy)) + 1), cells.size());
    EXPECT_EQ(std::make_pair(from.column, from.row), cells.front());
    EXPECT_EQ(std::make_pair(to.column, to.row), cells.back());
    std::set<std::pair<int, int>> distinct(cells.begin(), cells.end());
    EXPECT_EQ(cells.size(), distinct.size());
    for (size_t i = 1; i < cells.size(); ++i) {
        EXPECT_LE(std::abs(cells[i].first - cells[i - 1].first), 1);
        EXPECT_LE(std::abs(cells[i].second - cells[i - 1].second), 1);
    }
    for (auto [c, r] : cells) {
        // Off the true line by at most half a cell across the main direction.
        int cross = dx * (r - from.row) - dy * (c - from.column);
        EXPECT_LE(2 * std::abs(cross), std::max(std::abs(dx), std::abs(dy))) << c << "," << r;
    }
}

TEST(LineStepsTest, EveryCellOnceFlatSteepAndInEveryDirection) {
    const CellHit centre = {50, 24};
    const CellHit ends[] = {{100, 24}, {0, 24}, {50, 48}, {50, 0},  {100, 48}, {0, 0},
                            {93, 30},  {7, 20}, {57, 0},  {44, 48}, {53, 25},  {50, 24}};
    for (CellHit end : ends) {
        ExpectStraightPath(centre, end);
        ExpectStraightPath(end, centre);
    }
}

TEST(LineStepsTest, SkipFirstLeavesOutOnlyTheStartCell) {
    auto whole = Line({3, 4}, {9, 1});
    auto rest = Line({3, 4}, {9, 1}, 1);
    ASSERT_EQ(whole.size() - 1, rest.size());
    EXPECT_TRUE(std::equal(rest.begin(), rest.end(), whole.begin() + 1));
    EXPECT_TRUE(Line({5, 5}, {5, 5}, 1).empty());
    EXPECT_EQ(1u, Line({5, 5}, {5, 5}).size());
}

} // namespace
