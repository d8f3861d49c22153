#include "picture/PictureHistory.h"

#include <cstring>

PictureHistory theHistory;

void CapturePicture(PictureState& state) {
    std::memcpy(state.cells, thePicture.cells, sizeof state.cells);
    state.height = thePicture.height;
}

void RestorePicture(const PictureState& state) {
    std::memcpy(thePicture.cells, state.cells, sizeof state.cells);
    SetPictureMode(state.height == kLogoHeight ? PictureMode::Logo : PictureMode::Screensaver);
}

int SamePicture(const PictureState& a, const PictureState& b) {
    return a.height == b.height && std::memcmp(a.cells, b.cells, sizeof a.cells) == 0;
}

int SameSavedPicture(const PictureState& a, const PictureState& b) {
    return a.height == b.height &&
           std::memcmp(a.cells, b.cells, size_t(a.height) * kGridColumns) == 0;
}

void PictureHistory::Begin() {
    if (isOpen_)
        return;
    CapturePicture(open_);
    isOpen_ = 1;
}

void PictureHistory::End() {
    if (!isOpen_)
        return;
    isOpen_ = 0;
    PictureState now;
    CapturePicture(now);
    if (!SamePicture(open_, now))
        Push(open_);
}

void PictureHistory::Checkpoint() {
    End();
    PictureState now;
    CapturePicture(now);
    Push(now);
}

// Whatever could be redone is gone: the new step is the last position.
void PictureHistory::Push(const PictureState& state) {
    Slot(current_) = state;
    ++current_;
    last_ = current_;
    if (current_ == kSlots) {
        first_ = (first_ + 1) % kSlots;
        --current_;
        --last_;
    }
}

int PictureHistory::Undo() {
    End();
    if (current_ == 0)
        return 0;
    CapturePicture(Slot(current_));
    --current_;
    RestorePicture(Slot(current_));
    return 1;
}

int PictureHistory::Redo() {
    End();
    if (current_ == last_)
        return 0;
    CapturePicture(Slot(current_));
    ++current_;
    RestorePicture(Slot(current_));
    return 1;
}

void PictureHistory::Clear() {
    first_ = current_ = last_ = 0;
    isOpen_ = 0;
}

void PictureHistory::MarkSaved() {
    CapturePicture(saved_);
}

int PictureHistory::Modified() {
    PictureState now;
    CapturePicture(now);
    return !SameSavedPicture(saved_, now);
}
