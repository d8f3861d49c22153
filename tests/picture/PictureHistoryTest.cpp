#include <gtest/gtest.h>

#include <memory>

#include "picture/FreshPicture.h"
#include "picture/PictureHistory.h"

namespace {

class PictureHistoryTest : public FreshPictureTest {
  protected:
    // Far too large for the stack of every platform's test runner.
    std::unique_ptr<PictureHistory> owned{new PictureHistory()};
    PictureHistory& history = *owned;
};

TEST_F(PictureHistoryTest, UndoAndRedoBringBackCellsAndSizeTogether) {
    history.Checkpoint(); // New
    SetCell(1, 40, 1);
    history.Checkpoint(); // size switch
    SetPictureMode(PictureMode::Logo);
    history.Begin(); // a stroke
    SetCell(2, 2, 1);
    SetCell(3, 3, 1);
    history.End();
    ASSERT_EQ(3, history.UndoSteps());

    ASSERT_EQ(1, history.Undo());
    EXPECT_EQ(PictureMode::Logo, GetPictureMode());
    EXPECT_EQ(0, CellAt(2, 2) + CellAt(3, 3));
    ASSERT_EQ(1, history.Undo());
    EXPECT_EQ(PictureMode::Screensaver, GetPictureMode());
    EXPECT_EQ(1, CellAt(1, 40));
    ASSERT_EQ(1, history.Undo());
    EXPECT_EQ(0, CellAt(1, 40));
    EXPECT_EQ(0, history.Undo());

    ASSERT_EQ(1, history.Redo());
    ASSERT_EQ(1, history.Redo());
    ASSERT_EQ(1, history.Redo());
    EXPECT_EQ(PictureMode::Logo, GetPictureMode());
    EXPECT_EQ(3, CellAt(1, 40) + CellAt(2, 2) + CellAt(3, 3));
    EXPECT_EQ(0, history.Redo());
}

TEST_F(PictureHistoryTest, NewChangeClearsRedoAndUnchangedStrokeIsNoStep) {
    history.Begin();
    history.End();
    EXPECT_EQ(0, history.UndoSteps());
    history.Checkpoint();
    InvertPicture();
    history.Checkpoint();
    ClearPicture();
    ASSERT_EQ(1, history.Undo());
    EXPECT_EQ(1, history.RedoSteps());
    history.Begin();
    SetCell(0, 0, 0); // ink since the undo
    history.End();
    EXPECT_EQ(0, history.RedoSteps());
    EXPECT_EQ(0, history.Redo());
    EXPECT_EQ(2, history.UndoSteps());
}

TEST_F(PictureHistoryTest, KeepsTheNewestStepsWithinItsLimit) {
    for (int step = 0; step < kHistorySteps + 30; ++step) {
        history.Checkpoint();
        SetCell(step % kGridColumns, step / kGridColumns, 1);
    }
    EXPECT_EQ(kHistorySteps, history.UndoSteps());
    while (history.Undo()) {
    }
    // Back as far as the oldest step kept: the first 30 cells stay ink.
    EXPECT_EQ(1, CellAt(29, 0));
    EXPECT_EQ(0, CellAt(30, 0));
    for (int step = 0; step < kHistorySteps; ++step)
        ASSERT_EQ(1, history.Redo());
    EXPECT_EQ(1, CellAt((kHistorySteps + 29) % kGridColumns, (kHistorySteps + 29) / kGridColumns));
}

TEST_F(PictureHistoryTest, ModifiedComparesWhatSaveWouldWrite) {
    history.MarkSaved();
    EXPECT_EQ(0, history.Modified());
    SetCell(5, 5, 1);
    EXPECT_EQ(1, history.Modified());
    SetCell(5, 5, 0);
    EXPECT_EQ(0, history.Modified());
    // Hidden rows are not written at the logo size; the size itself is.
    SetPictureMode(PictureMode::Logo);
    history.MarkSaved();
    thePicture.cells[40 * kGridColumns] = 1;
    EXPECT_EQ(0, history.Modified());
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(1, history.Modified());
}

} // namespace
