#include "picture/CanvasWindow.h"

#include "picture/PictureGrid.h"

int32_t lastHitColumn = -1;
int32_t lastHitRow = -1;
int32_t canvasCaptured = 0;

// The top of the highest child of parent, other than the canvas, that starts
// below the canvas's top edge, in parent client coordinates; kNoControlsBelow
// when there is none.
static int TopOfControlsBelow(HWND parent, HWND canvas) {
    int top = kNoControlsBelow;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == canvas)
            continue;
        RECT rect;
        if (!GetWindowRect(child, &rect))
            continue;
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.top > kCanvasTop && (top == kNoControlsBelow || rect.top < top))
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
    cellWidth = CanvasCellSize(clientWidth, PictureWidth(), TopOfControlsBelow(parent, window));
    cellHeight = cellWidth;
}

int CanvasWindow::Create(WindowObject* parent, int x, int y, int clientWidth) {
    ClearPicture();
    if (!parent)
        return 0;
    ComputeCellSize(parent->window, clientWidth);
    return WindowObject::Create(WS_EX_STATICEDGE, kCanvasClassName, WS_CHILD | WS_VISIBLE, x, y,
                                cellWidth * PictureWidth(), cellHeight * PictureHeight(),
                                parent->window, nullptr);
}

int CanvasWindow::Resize(WindowObject* parent, int clientWidth) {
    if (!parent)
        return 0;
    ComputeCellSize(parent->window, clientWidth);
    // The platform repaints whatever the new size uncovers.
    Place(kCanvasLeft, kCanvasTop, cellWidth * PictureWidth(), cellHeight * PictureHeight(), 0);
    return 1;
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

void CanvasWindow::FillCell(int column, int row, COLORREF colour) {
    RECT rect = CellBounds(column, row, cellWidth, cellHeight);
    HBRUSH brush = CreateSolidBrush(colour);
    HDC dc = GetDC(window);
    FillRect(dc, &rect, brush);
    ReleaseDC(window, dc);
    DeleteObject(brush);
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

void CanvasWindow::OnMouseMove(WPARAM keys, UINT x, UINT y) {
    DisarmReleasedPens((keys & MK_LBUTTON) != 0, (keys & MK_RBUTTON) != 0, inkArmed,
                       backgroundArmed);
    CellHit hit = HitTest(static_cast<int>(x), static_cast<int>(y));
    MoveAction action = MouseMoveAction(canvasCaptured, hit, inkArmed, backgroundArmed);
    if (action.takeCapture) {
        SetCapture(window);
        canvasCaptured = 1;
    }
    if (action.releaseCapture) {
        ReleaseCapture();
        canvasCaptured = 0;
        return;
    }
    if (action.pen == Pen::None)
        return;
    // Drawn first, stored after: one pen decides both, so OnPaint agrees.
    FillCell(hit.column, hit.row, PenColour(action.pen));
    SetCell(hit.column, hit.row, PenValue(action.pen));
}

void CanvasWindow::OnLButtonDown(WPARAM, UINT, UINT) {
    inkArmed = 1;
}

void CanvasWindow::OnRButtonDown(WPARAM, UINT, UINT) {
    backgroundArmed = 1;
}

void CanvasWindow::OnLButtonUp(WPARAM, UINT x, UINT y) {
    ButtonUp(x, y, inkArmed, Pen::Ink);
}

void CanvasWindow::OnRButtonUp(WPARAM, UINT x, UINT y) {
    ButtonUp(x, y, backgroundArmed, Pen::Background);
}

// Stored first, drawn after: the button's own pen, whatever the other one's state.
void CanvasWindow::ButtonUp(UINT x, UINT y, int32_t& armed, Pen pen) {
    CellHit hit = HitTest(static_cast<int>(x), static_cast<int>(y));
    if (!ButtonUpAction(hit, armed))
        return;
    SetCell(hit.column, hit.row, PenValue(pen));
    FillCell(hit.column, hit.row, PenColour(pen));
}
