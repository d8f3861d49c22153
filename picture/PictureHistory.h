// Undo and redo for the picture: every step keeps the whole picture (all 49
// rows and the height, under 5 KB), so undoing a step brings back cells and
// size together. The number of steps is fixed, and so is the memory (about
// 640 KB): the oldest step goes when a new one would not fit.
#pragma once

#include <cstdint>

#include "picture/PictureGrid.h"

constexpr int kHistorySteps = 128;

struct PictureState {
    uint8_t cells[kGridCells];
    int32_t height;
};

void CapturePicture(PictureState& state);
void RestorePicture(const PictureState& state);
// 1 when both hold the same height and the same 49 rows.
int SamePicture(const PictureState& a, const PictureState& b);
// 1 when a block file written from either would hold the same bytes: the same
// height and the same cells within it.
int SameSavedPicture(const PictureState& a, const PictureState& b);

class PictureHistory {
  public:
    // A change that may take a while (a stroke) begins: the picture as it is
    // now is kept, unless a change is already open.
    void Begin();
    // The open change ends: one step when the picture now differs from the
    // picture at Begin, none when it does not.
    void End();
    // A command is about to change the picture: ends an open change, then
    // keeps the picture as it is now as one step, whatever follows.
    void Checkpoint();

    // Each returns 1 after going one step back or forth, 0 when there is none.
    // The picture's cells and height change; everything else is the caller's.
    int Undo();
    int Redo();
    int UndoSteps() const { return current_; }
    int RedoSteps() const { return last_ - current_; }
    // Forgets every step (a fresh start).
    void Clear();

    // The picture as it is now has been loaded or saved (or is the start).
    void MarkSaved();
    // 1 when Save would now write something else than at MarkSaved.
    int Modified();

  private:
    static constexpr int kSlots = kHistorySteps + 1;
    PictureState& Slot(int position) { return slots_[(first_ + position) % kSlots]; }
    void Push(const PictureState& state);

    // A timeline of positions 0 to last_ held in a ring of slots from first_
    // on; the picture on screen is position current_, whose slot is written
    // only when the picture leaves it.
    PictureState slots_[kSlots];
    int first_ = 0;
    int current_ = 0;
    int last_ = 0;
    PictureState open_;
    int isOpen_ = 0;
    PictureState saved_;
};

extern PictureHistory theHistory;
