// What the canvas does with the mouse: which pen paints, which colour and cell
// value it stands for, and when the canvas takes and gives back the capture.
// Plain logic over the pen flags and a hit test, so it is tested without a
// window; CanvasWindow carries out the answers.
#pragma once

#include <cstdint>

#include "picture/CanvasGeometry.h"

// Screen colours as COLORREF values (0x00BBGGRR).
constexpr uint32_t kInkColour = 0x00000000;        // black
constexpr uint32_t kBackgroundColour = 0x006FDAFD; // red 253, green 218, blue 111

enum class Pen { None, Ink, Background };

int PenValue(Pen pen);          // 1 for ink, 0 otherwise
uint32_t PenColour(Pen pen);    // the colour that shows a cell of PenValue(pen)
uint32_t CellColour(int value); // ink exactly for 1

// The pen a mouse move paints with. With both buttons held, ink wins: the
// left button is the drawing button, and one pen decides both the colour
// drawn and the value stored.
Pen MovePen(int inkArmed, int backgroundArmed);

// A pen paints only while its button is held. A mouse move whose own key
// state finds an armed pen's button up disarms that pen: the button went up
// where the canvas did not see it (released outside after a drag out).
void DisarmReleasedPens(int leftHeld, int rightHeld, int32_t& inkArmed, int32_t& backgroundArmed);

struct MoveAction {
    int takeCapture;    // SetCapture before anything else
    int releaseCapture; // the pointer has left the grid: let the capture go
    Pen pen;            // paint the hit cell with this pen (None: leave it)
};

// A mouse move: captured is the canvas's own record of holding the capture.
MoveAction MouseMoveAction(int captured, CellHit hit, int inkArmed, int backgroundArmed);

// A button going up stores its own pen's value on a cell and disarms that pen;
// off the grid it changes nothing, so the pen stays armed. A button that went
// down elsewhere (a double-click in a file chooser above the canvas, whose
// second release lands here) armed no pen and paints nothing. Returns 1 when
// the cell is to be painted.
int ButtonUpAction(CellHit hit, int32_t& armed);
