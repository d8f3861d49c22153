// CanvasWindow: the enlarged picture inside the main window. Every cell is a
// square of cellWidth pixels; the left button paints ink, the right button
// background, each only while it is held. A move paints every cell on the line
// from the previous pointer cell, so a quick stroke leaves no gaps. The canvas
// keeps no copy of the picture: it paints from the grid and writes single
// cells back into it. A stroke, button down to up, is one step of the history.
// The other tools drag a shape, shown over the picture until the button goes
// up, or fill a region at a click. The parent hears of every change of the
// picture (a stroke at its end) through WM_COMMAND with kCanvasChanged, the
// canvas's window in lParam.
#pragma once

#include <windows.h>

#include <cstdint>

#include "picture/CanvasGeometry.h"
#include "picture/PenRules.h"
#include "picture/ShapeCells.h"
#include "picture/Tool.h"
#include "ui/framework/WindowObject.h"

constexpr const char* kCanvasClassName = "__ScreenA50__";
// The notification code of the canvas's WM_COMMAND: the picture has changed.
constexpr WORD kCanvasChanged = 1;

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
    // The stroke under way has painted cells the parent has not heard of.
    int strokePainted = 0;
    Tool tool = Tool::Pen;
    // A shape being dragged: its first corner, the cell under the pointer, the
    // pen of the button that started it and the cells shown over the picture.
    int shaping = 0;
    CellHit shapeStart = {0, 0};
    CellHit shapeEnd = {0, 0};
    Pen shapePen = Pen::None;
    CellSet shapeCells;
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
    // Takes a tool; a shape being dragged is dropped.
    void SetTool(Tool newTool);
    // Drops the shape being dragged, leaving the picture as it was: 1 when
    // there was one.
    int CancelShape();

    // WM_CAPTURECHANGED goes to OnCaptureChanged; everything else to the dispatcher.
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Another window has taken the capture (or the canvas let it go).
    void OnCaptureChanged(HWND newCapture);

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
    // Closes the history's step once no pen is armed.
    void EndStrokeWhenIdle();
    void PenMove(WPARAM keys, UINT x, UINT y);
    // The shape tools and the fill, for the button of pen.
    void ToolButtonDown(UINT x, UINT y, Pen pen);
    void ToolButtonUp(Pen pen);
    void ShapeTo(CellHit end);
    // Draws the cells where shapeCells and shown differ, then keeps shown.
    void ShowShape(const CellSet& shown);
    void TakeCapture();
    void LetCaptureGo();
    void TellParent();
};

// The result of the most recent hit test; -1 for no cell.
extern int32_t lastHitColumn;
extern int32_t lastHitRow;
// Set while the canvas holds the mouse capture by its own account.
extern int32_t canvasCaptured;

extern CanvasWindow theCanvas;
