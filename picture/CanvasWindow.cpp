#include "picture/CanvasWindow.h"

#include "picture/LineSteps.h"
#include "picture/PictureGrid.h"
#include "picture/PictureHistory.h"

int32_t lastHitColumn = -1;
int32_t lastHitRow = -1;
int32_t canvasCaptured = 0;

// The top of the highest child of parent, other than the canvas, that starts
// below the canvas's top edge, in parent client coordinates; kNoControlsBelow
// when there is none.
static int TopOfControlsBelow(HWND parent, HWND canvas, int canvasTop) {
    int top = kNoControlsBelow;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == canvas)
            continue;
        RECT rect;
        if (!GetWindowRect(child, &rect))
            continue;
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.top > canvasTop && (top == kNoControlsBelow || rect.top < top))
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
    cellWidth = CanvasCellSize(clientWidth, PictureWidth(), TopOfControlsBelow(parent, window, top),
                               left);
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
}

void CanvasWindow::OnMouseMove(WPARAM keys, UINT x, UINT y) {
    ForgetLostCapture();
    DisarmReleasedPens((keys & MK_LBUTTON) != 0, (keys & MK_RBUTTON) != 0, inkArmed,
                       backgroundArmed);
    EndStrokeWhenIdle();
    CellHit hit = HitTest(static_cast<int>(x), static_cast<int>(y));
    MoveAction action = MouseMoveAction(canvasCaptured, hit, inkArmed, backgroundArmed);
    if (action.takeCapture) {
        SetCapture(window);
        canvasCaptured = 1;
    }
    if (action.releaseCapture) {
        ReleaseCapture();
        canvasCaptured = 0;
        // Coming back, the stroke starts afresh: nothing is drawn across the outside.
        previousCell = {-1, -1};
        return;
    }
    // One pen decides both the colour drawn and the value stored, so OnPaint agrees.
    if (action.pen != Pen::None)
        PaintLine(hit, action.pen);
    previousCell = hit;
    previousPen = action.pen;
}

void CanvasWindow::OnLButtonDown(WPARAM, UINT x, UINT y) {
    ButtonDown(x, y, inkArmed);
}

void CanvasWindow::OnRButtonDown(WPARAM, UINT x, UINT y) {
    ButtonDown(x, y, backgroundArmed);
}

void CanvasWindow::OnLButtonUp(WPARAM, UINT x, UINT y) {
    ButtonUp(x, y, inkArmed, Pen::Ink);
}

void CanvasWindow::OnRButtonUp(WPARAM, UINT x, UINT y) {
    ButtonUp(x, y, backgroundArmed, Pen::Background);
}

// Nothing is drawn yet; the first move paints from this cell on.
void CanvasWindow::ButtonDown(UINT x, UINT y, int32_t& armed) {
    ForgetLostCapture();
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

// A window that opened while the canvas held the capture (a file chooser or a
// question, called up from the keyboard with the pointer over the grid) took
// it away. The pointer may have left the grid and come back unseen since, so
// the stroke starts afresh, and the next move takes the capture again.
void CanvasWindow::ForgetLostCapture() {
    if (!canvasCaptured || GetCapture() == window)
        return;
    canvasCaptured = 0;
    previousCell = {-1, -1};
}

void CanvasWindow::EndStrokeWhenIdle() {
    if (!inkArmed && !backgroundArmed)
        theHistory.End();
}
