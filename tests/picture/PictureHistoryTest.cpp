#include <gtest/gtest.h>

#include <memory>

#include "picture/FreshPicture.h"
#include "picture/PictureHistory.h"

namespace {

class PictureHistoryTest : public FreshPictureTest {
  protected:
    std::unique_ptr<PictureHistory> history{new PictureHistory()}; // too large for a stack
};

TEST_F(PictureHistoryTest, StepsBringBackCellsAndSizeTogetherAndANewChangeEndsRedo) {
    history->Begin(); // a stroke that changes nothing is no step
    history->End();
    history->Checkpoint(); // the size switch
    SetPictureMode(PictureMode::Logo);
    history->Begin(); // a stroke
    SetCell(2, 2, 1);
    history->End();
    ASSERT_EQ(2, history->UndoSteps());
    ASSERT_EQ(1, history->Undo());
    EXPECT_EQ(0, CellAt(2, 2));
    EXPECT_EQ(PictureMode::Logo, GetPictureMode());
    ASSERT_EQ(1, history->Undo());
    EXPECT_EQ(PictureMode::Screensaver, GetPictureMode());
    EXPECT_EQ(0, history->Undo());
    ASSERT_EQ(2, history->Redo() + history->Redo());
    EXPECT_EQ(1, CellAt(2, 2));
    EXPECT_EQ(PictureMode::Logo, GetPictureMode());
    EXPECT_EQ(0, history->Redo());

    history->Undo();
    history->Checkpoint(); // Invert
    InvertPicture();
    EXPECT_EQ(0, history->RedoSteps());
    EXPECT_EQ(2, history->UndoSteps());
}

TEST_F(PictureHistoryTest, KeepsTheNewestStepsWithinItsLimit) {
    for (int step = 0; step < kHistorySteps + 30; ++step) {
        history->Checkpoint();
        SetCell(step % kGridColumns, step / kGridColumns, 1);
    }
    EXPECT_EQ(kHistorySteps, history->UndoSteps());
    while (history->Undo()) {
    }
    // Back as far as the oldest step kept: the first 30 cells stay ink.
    EXPECT_EQ(1, CellAt(29, 0));
    EXPECT_EQ(0, CellAt(30, 0));
}

TEST_F(PictureHistoryTest, ModifiedComparesWhatSaveWouldWrite) {
    history->MarkSaved();
    SetCell(5, 5, 1);
    EXPECT_EQ(1, history->Modified());
    SetCell(5, 5, 0);
    EXPECT_EQ(0, history->Modified());
    // Hidden rows are not written at the logo size; the size itself is.
    SetPictureMode(PictureMode::Logo);
    history->MarkSaved();
    thePicture.cells[40 * kGridColumns] = 1;
    EXPECT_EQ(0, history->Modified());
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(1, history->Modified());
}

} // namespace
