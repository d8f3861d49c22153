// The canvas on a real window under the platform: its placement, its painting
// and its answers to mouse messages sent through the shared window procedure.
#include <gtest/gtest.h>

#include <utility>

#include "app/AppContext.h"
#include "editor/CanvasWindow.h"
#include "picture/PenRules.h"
#include "picture/PictureGrid.h"

namespace {

constexpr int kParentWidth = 717;  // a 7-pixel cell, as the main window gives
constexpr int kParentHeight = 420; // room for a full-height canvas and a button row
constexpr int kButtonTop = 370;

// Coordinates as the mouse messages carry them: two unsigned 16-bit words.
LPARAM Point(int x, int y) {
    return MAKELPARAM(WORD(x), WORD(y));
}

class CanvasWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!theAppContext) {
            context.instance = GetModuleHandleA(nullptr);
            theAppContext = &context;
        }
        SetPictureMode(PictureMode::Screensaver);
        ClearPicture();
        canvasCaptured = 0;
        ReleaseCapture();
    }
    void TearDown() override {
        canvas.Destroy();
        ReleaseCapture();
        canvasCaptured = 0;
        SetPictureMode(PictureMode::Screensaver);
        ClearPicture();
    }
    // Top-level windows are slow to take down under some window systems, so
    // the parents are made once for the whole suite.
    static void TearDownTestSuite() {
        for (WindowObject& parent : parents)
            parent.Destroy();
    }

    // A visible top-level window without a frame, so its client width is its
    // width, with or without a button row under the canvas.
    static WindowObject& Parent(int width, bool withButtonRow) {
        const int index = width == kParentWidth ? 0 : withButtonRow ? 1 : 2;
        WindowObject& parent = parents[index];
        if (!parent.window) {
            // Apart from each other, so that no parent hides the canvas of another.
            const POINT place[] = {{0, 0}, {0, 430}, {450, 600}};
            parent.Create(0, "PixmintCanvasTestParent", WS_POPUP | WS_VISIBLE, place[index].x,
                          place[index].y, width, kParentHeight, nullptr, nullptr);
            if (withButtonRow)
                CreateWindowExA(0, "BUTTON", "New", WS_CHILD | WS_VISIBLE, 10, kButtonTop, 80, 24,
                                parent.window, nullptr, theAppContext->instance, nullptr);
        }
        return parent;
    }
    void MakeCanvas(int width = kParentWidth, bool withButtonRow = true) {
        parent = &Parent(width, withButtonRow);
        ASSERT_NE(nullptr, parent->window);
        ASSERT_NE(0, canvas.Create(parent, kCanvasLeft, kCanvasTop, width));
        UpdateWindow(parent->window);
        UpdateWindow(canvas.window);
    }

    // keys: the key state the message carries (MK_LBUTTON, MK_RBUTTON).
    void Send(UINT msg, int x, int y, WPARAM keys = 0) {
        SendMessageA(canvas.window, msg, keys, Point(x, y));
    }
    // The centre of a cell in canvas client coordinates.
    int Centre(int index) { return index * canvas.cellWidth + canvas.cellWidth / 2; }
    void SendAtCell(UINT msg, int column, int row, WPARAM keys = 0) {
        Send(msg, Centre(column), Centre(row), keys);
    }

    COLORREF ScreenColour(int column, int row) {
        HDC dc = GetDC(canvas.window);
        COLORREF colour = GetPixel(dc, Centre(column), Centre(row));
        ReleaseDC(canvas.window, dc);
        return colour;
    }
    RECT OuterRect() {
        RECT rect;
        GetWindowRect(canvas.window, &rect);
        MapWindowPoints(nullptr, parent->window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    static AppContext context;
    static WindowObject parents[3];
    WindowObject* parent = nullptr;
    CanvasWindow canvas;
};

AppContext CanvasWindowTest::context;
WindowObject CanvasWindowTest::parents[3];

TEST_F(CanvasWindowTest, CreateClearsThePictureEvenWithoutAParent) {
    SetCell(3, 3, 1);
    EXPECT_EQ(0, canvas.Create(nullptr, kCanvasLeft, kCanvasTop, kParentWidth));
    EXPECT_EQ(nullptr, canvas.window);
    EXPECT_EQ(0, CellAt(3, 3));
    EXPECT_EQ(0, canvas.Resize(nullptr, kParentWidth));
}

TEST_F(CanvasWindowTest, IsAStaticEdgedChildSizedByItsCells) {
    thePicture.cells[40 * kGridColumns] = 1;
    MakeCanvas();
    EXPECT_EQ(0, CellAt(0, 40));
    char className[64] = "";
    GetClassNameA(canvas.window, className, sizeof className);
    EXPECT_STREQ(kCanvasClassName, className);
    EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE), DWORD(GetWindowLongPtrA(canvas.window, GWL_STYLE)));
    EXPECT_TRUE(GetWindowLongPtrA(canvas.window, GWL_EXSTYLE) & WS_EX_STATICEDGE);
    EXPECT_EQ(parent->window, GetParent(canvas.window));

    EXPECT_EQ(7, canvas.cellWidth);
    EXPECT_EQ(7, canvas.cellHeight);
    RECT outer = OuterRect();
    EXPECT_EQ(kCanvasLeft, outer.left);
    EXPECT_EQ(kCanvasTop, outer.top);
    EXPECT_EQ(7 * kGridColumns, outer.right - outer.left);
    EXPECT_EQ(7 * kScreensaverHeight, outer.bottom - outer.top);
    // The edge is drawn inside: the client area is smaller.
    RECT client;
    GetClientRect(canvas.window, &client);
    EXPECT_LT(client.right, outer.right - outer.left);
}

TEST_F(CanvasWindowTest, WideDialogUnitsKeepTheCanvasAboveTheButtons) {
    // 836 / 101 would give 8-pixel cells and a canvas down to 397.
    MakeCanvas(836, true);
    EXPECT_EQ(7, canvas.cellWidth);
    EXPECT_LE(OuterRect().bottom, kButtonTop);
    EXPECT_EQ(1, canvas.Resize(parent, 836));
    EXPECT_EQ(7, canvas.cellWidth);
}

TEST_F(CanvasWindowTest, WithoutControlsBelowTheCellIsClientWidthOverPictureWidth) {
    MakeCanvas(836, false);
    EXPECT_EQ(8, canvas.cellWidth);
}

TEST_F(CanvasWindowTest, ResizeFollowsThePictureHeightAndRepaintsUncoveredRows) {
    MakeCanvas();
    SetPictureMode(PictureMode::Logo);
    EXPECT_EQ(1, canvas.Resize(parent, kParentWidth));
    RECT outer = OuterRect();
    EXPECT_EQ(kCanvasLeft, outer.left);
    EXPECT_EQ(kCanvasTop, outer.top);
    EXPECT_EQ(7 * kLogoHeight, outer.bottom - outer.top);

    // Hidden rows are not hit while the logo size is current.
    SendAtCell(WM_LBUTTONUP, 2, kLogoHeight);
    EXPECT_EQ(-1, lastHitRow);
    EXPECT_EQ(0, CellAt(2, kLogoHeight));

    // Growing again uncovers rows 29 to 48; the platform has them painted.
    thePicture.cells[40 * kGridColumns + 2] = 1;
    SetPictureMode(PictureMode::Screensaver);
    EXPECT_EQ(1, canvas.Resize(parent, kParentWidth));
    UpdateWindow(canvas.window);
    EXPECT_EQ(kInkColour, ScreenColour(2, 40));
    EXPECT_EQ(kBackgroundColour, ScreenColour(3, 40));
}

TEST_F(CanvasWindowTest, PaintShowsEveryCellFromThePicture) {
    MakeCanvas();
    SetCell(0, 0, 1);
    SetCell(100, 48, 1);
    SetCell(50, 20, 1);
    InvalidateRect(canvas.window, nullptr, TRUE);
    UpdateWindow(canvas.window);
    EXPECT_EQ(kInkColour, ScreenColour(0, 0));
    EXPECT_EQ(kInkColour, ScreenColour(50, 20));
    EXPECT_EQ(kBackgroundColour, ScreenColour(51, 20));
    EXPECT_EQ(kBackgroundColour, ScreenColour(1, 0));
    // The last column and row are narrower on screen but painted all the same.
    HDC dc = GetDC(canvas.window);
    RECT client;
    GetClientRect(canvas.window, &client);
    EXPECT_EQ(kInkColour, GetPixel(dc, client.right - 1, client.bottom - 1));
    ReleaseDC(canvas.window, dc);
}

TEST_F(CanvasWindowTest, ClickPaintsAtTheButtonUpOnly) {
    MakeCanvas();
    SendAtCell(WM_LBUTTONDOWN, 10, 12);
    EXPECT_EQ(1, canvas.inkArmed);
    EXPECT_EQ(0, CellAt(10, 12));
    EXPECT_EQ(kBackgroundColour, ScreenColour(10, 12));
    SendAtCell(WM_LBUTTONUP, 10, 12);
    EXPECT_EQ(0, canvas.inkArmed);
    EXPECT_EQ(1, CellAt(10, 12));
    EXPECT_EQ(kInkColour, ScreenColour(10, 12));
    EXPECT_EQ(10, lastHitColumn);
    EXPECT_EQ(12, lastHitRow);

    SendAtCell(WM_RBUTTONDOWN, 10, 12);
    EXPECT_EQ(1, canvas.backgroundArmed);
    EXPECT_EQ(1, CellAt(10, 12));
    SendAtCell(WM_RBUTTONUP, 10, 12);
    EXPECT_EQ(0, canvas.backgroundArmed);
    EXPECT_EQ(0, CellAt(10, 12));
    EXPECT_EQ(kBackgroundColour, ScreenColour(10, 12));
}

TEST_F(CanvasWindowTest, DragPaintsEveryCellOnTheLineBetweenItsMoves) {
    MakeCanvas();
    SendAtCell(WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
    EXPECT_EQ(0, CellAt(1, 1)); // nothing before the pointer moves
    SendAtCell(WM_MOUSEMOVE, 2, 1, MK_LBUTTON);
    SendAtCell(WM_MOUSEMOVE, 5, 4, MK_LBUTTON); // (3, 2) and (4, 3) get no move
    EXPECT_EQ(canvas.window, GetCapture());
    EXPECT_EQ(1, canvasCaptured);
    for (auto [column, row] : {std::pair{1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 4}})
        EXPECT_EQ(1, CellAt(column, row)) << column << "," << row;
    EXPECT_EQ(kInkColour, ScreenColour(4, 3));
    EXPECT_EQ(0, CellAt(3, 3));
    EXPECT_EQ(kBackgroundColour, ScreenColour(3, 3));

    // Out and back in elsewhere: nothing is drawn across the outside.
    Send(WM_MOUSEMOVE, -3, Centre(4), MK_LBUTTON);
    SendAtCell(WM_MOUSEMOVE, 9, 4, MK_LBUTTON);
    EXPECT_EQ(1, CellAt(9, 4));
    EXPECT_EQ(0, CellAt(7, 4));
}

TEST_F(CanvasWindowTest, PenPaintsOnlyWhileItsButtonIsHeld) {
    MakeCanvas();
    SendAtCell(WM_LBUTTONDOWN, 1, 1, MK_LBUTTON);
    SendAtCell(WM_MOUSEMOVE, 1, 1, MK_LBUTTON);
    // Out to the left and back with the button held: the drag goes on.
    // The word arrives as 65536 minus the distance.
    Send(WM_MOUSEMOVE, -3, Centre(1), MK_LBUTTON);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(0, canvasCaptured);
    EXPECT_EQ(1, canvas.inkArmed);
    SendAtCell(WM_MOUSEMOVE, 2, 1, MK_LBUTTON);
    EXPECT_EQ(1, CellAt(2, 1));
    EXPECT_EQ(canvas.window, GetCapture());

    // Out again and released there: the button-up misses the grid.
    Send(WM_MOUSEMOVE, -3, Centre(1), MK_LBUTTON);
    Send(WM_LBUTTONUP, -3, Centre(1));
    EXPECT_EQ(1, canvas.inkArmed);
    // Back over the grid with no button held: the move disarms the pen.
    SendAtCell(WM_MOUSEMOVE, 6, 2);
    EXPECT_EQ(canvas.window, GetCapture());
    EXPECT_EQ(0, canvas.inkArmed);
    EXPECT_EQ(0, CellAt(6, 2));
    EXPECT_EQ(kBackgroundColour, ScreenColour(6, 2));
    SendAtCell(WM_MOUSEMOVE, 7, 2, MK_LBUTTON); // held again, but never pressed here
    EXPECT_EQ(0, CellAt(7, 2));

    // The right button's pen likewise, while the left one is held.
    SendAtCell(WM_RBUTTONDOWN, 8, 2, MK_RBUTTON);
    SetCell(9, 2, 1);
    SendAtCell(WM_MOUSEMOVE, 9, 2, MK_LBUTTON);
    EXPECT_EQ(0, canvas.backgroundArmed);
    EXPECT_EQ(1, CellAt(9, 2));
}

TEST_F(CanvasWindowTest, ButtonUpStoresItsOwnPenWhateverTheOtherPen) {
    MakeCanvas();
    SetCell(5, 5, 1);
    SendAtCell(WM_LBUTTONDOWN, 5, 5);
    SendAtCell(WM_RBUTTONDOWN, 5, 5);
    SendAtCell(WM_RBUTTONUP, 5, 5);
    EXPECT_EQ(0, CellAt(5, 5));
    EXPECT_EQ(kBackgroundColour, ScreenColour(5, 5));
    EXPECT_EQ(1, canvas.inkArmed);
}

TEST_F(CanvasWindowTest, BothPensArmedDrawAndStoreInk) {
    MakeCanvas();
    SendAtCell(WM_LBUTTONDOWN, 9, 9, MK_LBUTTON);
    SendAtCell(WM_RBUTTONDOWN, 9, 9, MK_LBUTTON | MK_RBUTTON);
    SendAtCell(WM_MOUSEMOVE, 9, 9, MK_LBUTTON | MK_RBUTTON);
    EXPECT_EQ(1, CellAt(9, 9));
    EXPECT_EQ(kInkColour, ScreenColour(9, 9));
    // What a repaint shows agrees with what the stroke drew.
    InvalidateRect(canvas.window, nullptr, TRUE);
    UpdateWindow(canvas.window);
    EXPECT_EQ(kInkColour, ScreenColour(9, 9));
}

} // namespace
