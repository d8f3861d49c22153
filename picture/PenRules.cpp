#include "picture/PenRules.h"

int PenValue(Pen pen) {
    return pen == Pen::Ink ? 1 : 0;
}

uint32_t PenColour(Pen pen) {
    return CellColour(PenValue(pen));
}

uint32_t CellColour(int value) {
    return value == 1 ? kInkColour : kBackgroundColour;
}

Pen MovePen(int inkArmed, int backgroundArmed) {
    if (inkArmed)
        return Pen::Ink;
    if (backgroundArmed)
        return Pen::Background;
    return Pen::None;
}

void DisarmReleasedPens(int leftHeld, int rightHeld, int32_t& inkArmed, int32_t& backgroundArmed) {
    if (!leftHeld)
        inkArmed = 0;
    if (!rightHeld)
        backgroundArmed = 0;
}

static bool OnCell(CellHit hit) {
    return hit.column >= 0 && hit.row >= 0;
}

MoveAction MouseMoveAction(int captured, CellHit hit, int inkArmed, int backgroundArmed) {
    MoveAction action = {!captured, 0, Pen::None};
    if (!OnCell(hit)) {
        // The pointer has left the grid, which only a captured canvas sees.
        action.releaseCapture = 1;
        return action;
    }
    action.pen = MovePen(inkArmed, backgroundArmed);
    return action;
}

int ButtonUpAction(CellHit hit, int32_t& armed) {
    if (!armed || !OnCell(hit))
        return 0;
    armed = 0;
    return 1;
}
