#include "editor/PreviewWindow.h"

#include "picture/PenRules.h"
#include "picture/PictureGrid.h"

namespace {

// A static edge of one pixel on each side around the cells.
constexpr int kEdge = 1;
// One bit a cell, rows padded to whole 32-bit words.
constexpr int kRowBytes = (kGridColumns + 31) / 32 * 4;

RGBQUAD Quad(uint32_t colour) {
    RGBQUAD quad = {BYTE(colour >> 16), BYTE(colour >> 8), BYTE(colour), 0};
    return quad;
}

} // namespace

int PreviewWindow::Create(WindowObject* parent, int x, int y) {
    x_ = x;
    y_ = y;
    return WindowObject::Create(WS_EX_STATICEDGE, kPreviewClassName, WS_CHILD | WS_VISIBLE, x, y,
                                PictureWidth() + 2 * kEdge, PictureHeight() + 2 * kEdge,
                                parent->window, nullptr);
}

void PreviewWindow::Resize() {
    Place(x_, y_, PictureWidth() + 2 * kEdge, PictureHeight() + 2 * kEdge, 0);
    Refresh();
}

void PreviewWindow::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
    Resize();
}

void PreviewWindow::Refresh() {
    InvalidateRect(window, nullptr, FALSE);
}

// The picture as a one-bit top-down bitmap whose colour table holds the
// canvas's two colours, put on the screen in one call.
void PreviewWindow::OnPaint(HWND hwnd) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = PictureWidth();
    info.header.biHeight = -PictureHeight();
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[0] = Quad(kBackgroundColour);
    info.colours[1] = Quad(kInkColour);
    BYTE bits[kRowBytes * kGridRows] = {};
    for (int row = 0; row < PictureHeight(); ++row)
        for (int column = 0; column < PictureWidth(); ++column)
            if (CellAt(column, row) == 1)
                bits[row * kRowBytes + column / 8] |= BYTE(0x80 >> (column % 8));
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    SetDIBitsToDevice(dc, 0, 0, PictureWidth(), PictureHeight(), 0, 0, 0, PictureHeight(), bits,
                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    EndPaint(hwnd, &paint);
}
