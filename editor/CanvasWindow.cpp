#include "editor/CanvasWindow.h"

#include "picture/FloodFill.h"
#include "picture/LineSteps.h"
#include "picture/PictureGrid.h"
#include "picture/PictureHistory.h"

int32_t lastHitColumn = -1;
int32_t lastHitRow = -1;
int32_t canvasCaptured = 0;

// The top of the highest child of parent, other than the canvas, that starts
// below the canvas's top edge canvasTop and left of width (beside the canvas
// is not below it), in parent client coordinates; kNoControlsBelow when there
// is none.
static int TopOfControlsBelow(HWND parent, HWND canvas, int canvasTop, int width) {
    int top = kNoControlsBelow;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == canvas)
            continue;
        RECT rect;
        if (!GetWindowRect(child, &rect))
            continue;
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.top > canvasTop && rect.left < width && (top == kNoControlsBelow || rect.top < top))
            top = rect.top;
    }
    return top;
}

// The platform rectangle of a cell, right and bottom exclusive.
static RECT CellBounds(int column, int row, int cellWidth, int cellHeight) {
    CellRect cell = CellRectangle(column, row, cellWidth, cellHeight);
    RECT rect;
    SetRect(&rect, cell.left, cell.top, cell.right, cell.bottom);
    return rect;
}

void CanvasWindow::ComputeCellSize(HWND parent, int clientWidth) {
    cellWidth = CanvasCellSize(clientWidth, PictureWidth(),
                               TopOfControlsBelow(parent, window, top, clientWidth), left);
    cellHeight = cellWidth;
}

int CanvasWindow::Create(WindowObject* parent, int x, int y, int clientWidth) {
    ClearPicture();
    if (!parent)
        return 0;
    left = x;
    top = y;
    ComputeCellSize(parent->window, clientWidth);
    return WindowObject::Create(WS_EX_STATICEDGE, kCanvasClassName, WS_CHILD | WS_VISIBLE, x, y,
                                cellWidth * PictureWidth(), cellHeight * PictureHeight(),
                                parent->window, nullptr);
}

int CanvasWindow::Resize(WindowObject* parent, int clientWidth) {
    if (!parent)
        return 0;
    ComputeCellSize(parent->window, clientWidth);
    previousCell = {-1, -1};
    // The platform repaints whatever the new size uncovers.
    Place(left, top, cellWidth * PictureWidth(), cellHeight * PictureHeight(), 0);
    return 1;
}

int CanvasWindow::Relocate(WindowObject* parent, int x, int y, int clientWidth) {
    if (!parent)
        return 0;
    left = x;
    top = y;
    return Resize(parent, clientWidth);
}

CellHit CanvasWindow::HitTest(int x, int y) {
    lastHitColumn = -1;
    lastHitRow = -1;
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    CellHit hit = HitTestCell(x, y, client.right, client.bottom, cellWidth, cellHeight,
                              PictureWidth(), PictureHeight());
    lastHitColumn = hit.column;
    lastHitRow = hit.row;
    return hit;
}

void CanvasWindow::OnPaint(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    HBRUSH background = CreateSolidBrush(kBackgroundColour);
    FillRect(dc, &client, background);
    DeleteObject(background);

    HBRUSH ink = CreateSolidBrush(kInkColour);
    background = CreateSolidBrush(kBackgroundColour);
    // Every cell, whatever the update region: the paint DC clips to it.
    for (int row = 0; row < PictureHeight(); ++row) {
        for (int column = 0; column < PictureWidth(); ++column) {
            RECT rect = CellBounds(column, row, cellWidth, cellHeight);
            FillRect(dc, &rect, CellAt(column, row) == 1 ? ink : background);
        }
    }
    DeleteObject(ink);
    DeleteObject(background);
    EndPaint(hwnd, &paint);
}

// The first cell painted opens the stroke's step, which ends once no pen is armed.
void CanvasWindow::PaintLine(CellHit cell, Pen pen) {
    theHistory.Begin();
    int alone = previousCell.column < 0;
    LineSteps steps(alone ? cell : previousCell, cell, !alone && previousPen == pen);
    HBRUSH brush = CreateSolidBrush(PenColour(pen));
    HDC dc = GetDC(window);
    for (CellHit at; steps.Next(at);) {
        // The previous cell may lie in rows a size switch has hidden since.
        if (at.row >= PictureHeight())
            continue;
        RECT rect = CellBounds(at.column, at.row, cellWidth, cellHeight);
        FillRect(dc, &rect, brush);
        SetCell(at.column, at.row, PenValue(pen));
    }
    ReleaseDC(window, dc);
    DeleteObject(brush);
    strokePainted = 1;
}

void CanvasWindow::OnMouseMove(WPARAM keys, UINT x, UINT y) {
    if (shaping)
        ShapeTo(CellAtPoint(x, y, cellWidth, cellHeight));
    else if (tool == Tool::Pen)
        PenMove(keys, x, y);
    else if (canvasCaptured)
        LetCaptureGo(); // left from a stroke before the tool changed
}

void CanvasWindow::PenMove(WPARAM keys, UINT x, UINT y) {
    DisarmReleasedPens((keys & MK_LBUTTON) != 0, (keys & MK_RBUTTON) != 0, inkArmed,
                       backgroundArmed);
    EndStrokeWhenIdle();
    CellHit hit = HitTest(static_cast<int>(x), static_cast<int>(y));
    MoveAction action = MouseMoveAction(canvasCaptured, hit, inkArmed, backgroundArmed);
    if (action.takeCapture)
        TakeCapture();
    if (action.releaseCapture) {
        // Coming back, the stroke starts afresh: nothing is drawn across the outside.
        LetCaptureGo();
        return;
    }
    // One pen decides both the colour drawn and the value stored, so OnPaint agrees.
    if (action.pen != Pen::None)
        PaintLine(hit, action.pen);
    previousCell = hit;
    previousPen = action.pen;
}

void CanvasWindow::OnLButtonDown(WPARAM, UINT x, UINT y) {
    if (tool == Tool::Pen)
        ButtonDown(x, y, inkArmed);
    else
        ToolButtonDown(x, y, Pen::Ink);
}

void CanvasWindow::OnRButtonDown(WPARAM, UINT x, UINT y) {
    if (tool == Tool::Pen)
        ButtonDown(x, y, backgroundArmed);
    else
        ToolButtonDown(x, y, Pen::Background);
}

void CanvasWindow::OnLButtonUp(WPARAM, UINT x, UINT y) {
    if (tool == Tool::Pen)
        ButtonUp(x, y, inkArmed, Pen::Ink);
    else
        ToolButtonUp(Pen::Ink);
}

void CanvasWindow::OnRButtonUp(WPARAM, UINT x, UINT y) {
    if (tool == Tool::Pen)
        ButtonUp(x, y, backgroundArmed, Pen::Background);
    else
        ToolButtonUp(Pen::Background);
}

// Nothing is drawn yet; the first move paints from this cell on.
void CanvasWindow::ButtonDown(UINT x, UINT y, int32_t& armed) {
    armed = 1;
    previousCell = HitTest(static_cast<int>(x), static_cast<int>(y));
    previousPen = Pen::None;
}

// The button's own pen, whatever the other one's state, on the line from the
// last move's cell when that pen painted there.
void CanvasWindow::ButtonUp(UINT x, UINT y, int32_t& armed, Pen pen) {
    CellHit hit = HitTest(static_cast<int>(x), static_cast<int>(y));
    if (ButtonUpAction(hit, armed)) {
        if (previousPen != pen)
            previousCell = {-1, -1};
        PaintLine(hit, pen);
        previousCell = hit;
        previousPen = pen;
    }
    EndStrokeWhenIdle();
}

// The parent hears of a stroke once, at its end: a notice at every move would
// cost more than the move's own painting.
void CanvasWindow::EndStrokeWhenIdle() {
    if (inkArmed || backgroundArmed)
        return;
    theHistory.End();
    if (strokePainted) {
        strokePainted = 0;
        TellParent();
    }
}

void CanvasWindow::TakeCapture() {
    SetCapture(window);
    canvasCaptured = 1;
}

// The capture's change comes back as WM_CAPTURECHANGED, which forgets the rest.
void CanvasWindow::LetCaptureGo() {
    canvasCaptured = 0;
    previousCell = {-1, -1};
    ReleaseCapture();
}

LRESULT CanvasWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_CAPTURECHANGED)
        return WindowObject::WindowProc(hwnd, msg, wParam, lParam);
    OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    return DefaultProc(msg, wParam, lParam);
}

// A window that opened while the canvas held the capture (a file chooser or a
// question, called up from the keyboard with the pointer over the grid) took
// it away. The pointer may have left the grid and come back unseen since, so
// a stroke starts afresh, and the next move takes the capture again; a shape
// being dragged is dropped.
void CanvasWindow::OnCaptureChanged(HWND newCapture) {
    if (newCapture == window)
        return;
    canvasCaptured = 0;
    previousCell = {-1, -1};
    CancelShape();
}

void CanvasWindow::SetTool(Tool newTool) {
    CancelShape();
    if (canvasCaptured)
        LetCaptureGo();
    // A pen stroke in progress ends here: its step is closed.
    inkArmed = backgroundArmed = 0;
    EndStrokeWhenIdle();
    tool = newTool;
}

// A shape starts at the cell pressed on, with the pointer held by the canvas
// wherever it goes; the other button while dragging drops the shape. The fill
// acts at once.
void CanvasWindow::ToolButtonDown(UINT x, UINT y, Pen pen) {
    if (shaping) {
        if (pen != shapePen)
            CancelShape();
        return;
    }
    CellHit hit = HitTest(static_cast<int>(x), static_cast<int>(y));
    if (hit.column < 0)
        return;
    if (tool == Tool::Fill) {
        // One step; a click that changes nothing leaves none behind.
        theHistory.Begin();
        int changed = FloodFill(thePicture, hit.column, hit.row, PenValue(pen));
        theHistory.End();
        if (changed) {
            InvalidateRect(window, nullptr, FALSE);
            TellParent();
        }
        return;
    }
    TakeCapture();
    shaping = 1;
    shapePen = pen;
    shapeStart = hit;
    for (uint8_t& cell : shapeCells.cells)
        cell = 0;
    ShapeTo(hit);
}

void CanvasWindow::ShapeTo(CellHit end) {
    shapeEnd = end;
    CellSet shown;
    ShapeCells(ToolShape(tool), shapeStart, end, PictureWidth(), PictureHeight(), shown);
    ShowShape(shown);
}

// The shape's own button going up puts it into the picture, as one step.
void CanvasWindow::ToolButtonUp(Pen pen) {
    if (!shaping || pen != shapePen)
        return;
    shaping = 0;
    theHistory.Begin();
    for (int cell = 0; cell < kGridCells; ++cell)
        if (shapeCells.cells[cell])
            thePicture.cells[cell] = uint8_t(PenValue(pen));
    theHistory.End();
    LetCaptureGo();
    TellParent();
}

int CanvasWindow::CancelShape() {
    if (!shaping)
        return 0;
    shaping = 0;
    CellSet none;
    for (uint8_t& cell : none.cells)
        cell = 0;
    ShowShape(none);
    if (canvasCaptured)
        LetCaptureGo();
    return 1;
}

// Cells the shape leaves show the picture again; the picture itself is not
// touched until the button goes up.
void CanvasWindow::ShowShape(const CellSet& shown) {
    HDC dc = GetDC(window);
    HBRUSH shape = CreateSolidBrush(PenColour(shapePen));
    HBRUSH ink = CreateSolidBrush(kInkColour);
    HBRUSH background = CreateSolidBrush(kBackgroundColour);
    for (int row = 0; row < PictureHeight(); ++row)
        for (int column = 0; column < PictureWidth(); ++column) {
            int cell = row * kGridColumns + column;
            if (shown.cells[cell] == shapeCells.cells[cell])
                continue;
            RECT rect = CellBounds(column, row, cellWidth, cellHeight);
            HBRUSH picture = CellAt(column, row) == 1 ? ink : background;
            FillRect(dc, &rect, shown.cells[cell] ? shape : picture);
        }
    DeleteObject(shape);
    DeleteObject(ink);
    DeleteObject(background);
    ReleaseDC(window, dc);
    shapeCells = shown;
}

void CanvasWindow::TellParent() {
    HWND parent = GetParent(window);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(0, kCanvasChanged),
                     reinterpret_cast<LPARAM>(window));
}
