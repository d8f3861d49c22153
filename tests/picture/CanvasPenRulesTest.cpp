#include <gtest/gtest.h>

#include "picture/PenRules.h"

namespace {

const CellHit kOnCell = {4, 7};
const CellHit kOffGrid = {-1, -1};

TEST(CanvasPenRulesTest, EveryPenDrawsTheColourOfTheValueItStores) {
    // OnPaint redraws from the stored values; a stroke must look the same.
    EXPECT_EQ(0u, CellColour(1));
    EXPECT_EQ(7330557u, CellColour(0)); // red 253, green 218, blue 111
    EXPECT_EQ(CellColour(1), PenColour(Pen::Ink));
    EXPECT_EQ(CellColour(0), PenColour(Pen::Background));
    EXPECT_EQ(1, PenValue(Pen::Ink));
    EXPECT_EQ(0, PenValue(Pen::Background));
}

TEST(CanvasPenRulesTest, MovePaintsWithTheArmedPenAndInkWinsOverBackground) {
    EXPECT_EQ(Pen::None, MovePen(0, 0));
    EXPECT_EQ(Pen::Ink, MovePen(1, 0));
    EXPECT_EQ(Pen::Background, MovePen(0, 1));
    EXPECT_EQ(Pen::Ink, MovePen(1, 1));
}

TEST(CanvasPenRulesTest, FirstMoveTakesTheCaptureEvenWithNoPenArmed) {
    MoveAction action = MouseMoveAction(0, kOnCell, 0, 0);
    EXPECT_EQ(1, action.takeCapture);
    EXPECT_EQ(0, action.releaseCapture);
    EXPECT_EQ(Pen::None, action.pen);

    action = MouseMoveAction(1, kOnCell, 0, 1);
    EXPECT_EQ(0, action.takeCapture);
    EXPECT_EQ(0, action.releaseCapture);
    EXPECT_EQ(Pen::Background, action.pen);
}

TEST(CanvasPenRulesTest, MoveOffTheGridReleasesTheCaptureAndPaintsNothing) {
    MoveAction action = MouseMoveAction(1, kOffGrid, 1, 0);
    EXPECT_EQ(0, action.takeCapture);
    EXPECT_EQ(1, action.releaseCapture);
    EXPECT_EQ(Pen::None, action.pen);
    // A client point beyond the picture, not yet captured: taken and let go.
    action = MouseMoveAction(0, kOffGrid, 1, 1);
    EXPECT_EQ(1, action.takeCapture);
    EXPECT_EQ(1, action.releaseCapture);
    EXPECT_EQ(Pen::None, action.pen);
}

TEST(CanvasPenRulesTest, MoveWithAPensButtonUpDisarmsThatPenOnly) {
    int32_t ink = 1, background = 1;
    DisarmReleasedPens(1, 1, ink, background); // both held: a drag goes on
    EXPECT_EQ(1, ink);
    EXPECT_EQ(1, background);
    DisarmReleasedPens(1, 0, ink, background);
    EXPECT_EQ(1, ink);
    EXPECT_EQ(0, background);
    DisarmReleasedPens(0, 1, ink, background); // a held button arms nothing
    EXPECT_EQ(0, ink);
    EXPECT_EQ(0, background);
    ink = 1;
    DisarmReleasedPens(0, 0, ink, background);
    EXPECT_EQ(Pen::None, MovePen(ink, background));
}

TEST(CanvasPenRulesTest, ButtonUpDisarmsItsPenOnlyOverACell) {
    int32_t armed = 1;
    EXPECT_EQ(0, ButtonUpAction(kOffGrid, armed));
    EXPECT_EQ(1, armed); // released outside: the pen stays armed
    EXPECT_EQ(1, ButtonUpAction(kOnCell, armed));
    EXPECT_EQ(0, armed);
    // A release whose button went down elsewhere paints nothing.
    EXPECT_EQ(0, ButtonUpAction(kOnCell, armed));
    EXPECT_EQ(0, armed);
}

} // namespace
