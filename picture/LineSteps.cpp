#include "picture/LineSteps.h"

namespace {

int Abs(int value) {
    return value < 0 ? -value : value;
}

} // namespace

LineSteps::LineSteps(CellHit from, CellHit to, int skipFirst)
    : at_(from), to_(to), stepX_(from.column < to.column ? 1 : -1),
      stepY_(from.row < to.row ? 1 : -1), deltaX_(Abs(to.column - from.column)),
      deltaY_(-Abs(to.row - from.row)), error_(deltaX_ + deltaY_), done_(0) {
    if (skipFirst) {
        CellHit first;
        Next(first);
    }
}

int LineSteps::Next(CellHit& cell) {
    if (done_)
        return 0;
    cell = at_;
    if (at_.column == to_.column && at_.row == to_.row) {
        done_ = 1;
        return 1;
    }
    int twice = 2 * error_;
    if (twice >= deltaY_) {
        error_ += deltaY_;
        at_.column += stepX_;
    }
    if (twice <= deltaX_) {
        error_ += deltaX_;
        at_.row += stepY_;
    }
    return 1;
}
