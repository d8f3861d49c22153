// CanvasWindow: the enlarged picture inside the main window. Every cell is a
// square of cellWidth pixels; the left button paints ink, the right button
// background, each only while it is held. The canvas keeps no copy of the picture: it paints from the
// grid and writes single cells back into it.
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

    // Clears the picture, then creates the canvas as a child of parent at
    // (x, y), sized for the current picture. Non-zero when the window exists.
    int Create(WindowObject* parent, int x, int y, int clientWidth);
    // Fits the canvas to the current picture size; 0 only without a parent.
    int Resize(WindowObject* parent, int clientWidth);
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
    void FillCell(int column, int row, COLORREF colour);
    // A button going up over a cell: store and draw pen there, disarm the button.
    void ButtonUp(UINT x, UINT y, int32_t& armed, Pen pen);
};

// The result of the most recent hit test; -1 for no cell.
extern int32_t lastHitColumn;
extern int32_t lastHitRow;
// Set while the canvas holds the mouse capture by its own account.
extern int32_t canvasCaptured;

extern CanvasWindow theCanvas;
