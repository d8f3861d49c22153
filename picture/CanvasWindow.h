// CanvasWindow: the enlarged picture inside the main window. Every cell is a
// square of cellWidth pixels; the left button paints ink, the right button
// background, each only while it is held. A move paints every cell on the line
// from the previous pointer cell, so a quick stroke leaves no gaps. The canvas
// keeps no copy of the picture: it paints from the grid and writes single
// cells back into it. A stroke, button down to up, is one step of the history.
#pragma once

#include <windows.h>

#include <cstdint>

#include "picture/CanvasGeometry.h"
#include "picture/PenRules.h"
#include "ui/framework/WindowObject.h"

constexpr const char* kCanvasClassName = "__ScreenA50__";

class CanvasWindow : public WindowObject {
  public:
    int32_t cellWidth = 0;
    int32_t cellHeight = 0; // always equal to cellWidth
    int32_t inkArmed = 0;
    int32_t backgroundArmed = 0;
    // The cell under the pointer at the last move or button-down, column -1
    // when the pointer was off the grid; and the pen that painted it, if any.
    CellHit previousCell = {-1, -1};
    Pen previousPen = Pen::None;
    // Where the canvas sits in its parent's client area; its left offset is
    // also the margin kept on the right.
    int32_t left = kCanvasLeft;
    int32_t top = kCanvasTop;

    // Clears the picture, then creates the canvas as a child of parent at
    // (x, y), sized for the current picture. Non-zero when the window exists.
    int Create(WindowObject* parent, int x, int y, int clientWidth);
    // Fits the canvas to the current picture size; 0 only without a parent.
    int Resize(WindowObject* parent, int clientWidth);
    // Moves the canvas to (x, y) and fits it as Resize does: after the parent
    // was laid out again at another display scale.
    int Relocate(WindowObject* parent, int x, int y, int clientWidth);
    // The cell under a client point, (-1, -1) for none; also left in
    // lastHitColumn and lastHitRow.
    CellHit HitTest(int x, int y);

    void OnPaint(HWND hwnd) override;
    void OnMouseMove(WPARAM keys, UINT x, UINT y) override;
    void OnLButtonDown(WPARAM keys, UINT x, UINT y) override;
    void OnLButtonUp(WPARAM keys, UINT x, UINT y) override;
    void OnRButtonDown(WPARAM keys, UINT x, UINT y) override;
    void OnRButtonUp(WPARAM keys, UINT x, UINT y) override;

  private:
    void ComputeCellSize(HWND parent, int clientWidth);
    // Stores and draws pen on every cell of the line from previousCell (left
    // out when pen painted it already) to cell; from cell alone without one.
    void PaintLine(CellHit cell, Pen pen);
    void ButtonDown(UINT x, UINT y, int32_t& armed);
    // A button going up over a cell: store and draw pen there, disarm the button.
    void ButtonUp(UINT x, UINT y, int32_t& armed, Pen pen);
    // Clears canvasCaptured and previousCell when another window has taken
    // the capture the canvas took.
    void ForgetLostCapture();
    // Closes the history's step once no pen is armed.
    void EndStrokeWhenIdle();
};

// The result of the most recent hit test; -1 for no cell.
extern int32_t lastHitColumn;
extern int32_t lastHitRow;
// Set while the canvas holds the mouse capture by its own account.
extern int32_t canvasCaptured;

extern CanvasWindow theCanvas;
