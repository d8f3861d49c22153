// The main window on a real dialog from the program's own template, driven by
// the messages its controls send.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

#include "EditorTestSupport.h"
#include "app/AppContext.h"
#include "editor/CanvasWindow.h"
#include "editor/EditorDialog.h"
#include "editor/MainWindowLayout.h"
#include "editor/PreviewWindow.h"
#include "picture/PictureGrid.h"
#include "res/resource.h"
#include "ui/framework/DisplayScale.h"

namespace {

int InkCount(int firstRow, int lastRow) {
    int count = 0;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            count += CellAt(column, row);
    return count;
}

class EditorDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        context.instance = GetModuleHandleA(nullptr);
        context.mainWindow = nullptr;
        theAppContext = &context;
        ForgetCanvasWindow();
        // Left hidden: Wine takes seconds to withdraw a shown window when no
        // window manager runs, and nothing here needs it on screen.
        ASSERT_EQ(1, dialog.CreateModeless(nullptr, IDD_MAIN));
        PumpMessages();
    }
    void TearDown() override {
        dialog.Destroy();
        PumpMessages();
    }

    int SizeBoxChecked() {
        return int(SendDlgItemMessageA(dialog.window, IDC_PICTURE_SIZE, BM_GETCHECK, 0, 0));
    }
    void ClickSizeBox() {
        SendDlgItemMessageA(dialog.window, IDC_PICTURE_SIZE, BM_CLICK, 0, 0);
        PumpMessages();
    }
    // The canvas's outer rectangle in the main window's client coordinates.
    RECT CanvasRect() {
        RECT rect;
        GetWindowRect(theCanvas.window, &rect);
        MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    int CellSize() { return (CanvasRect().right - CanvasRect().left) / kGridColumns; }
    int CanvasRows() {
        RECT canvas = CanvasRect();
        int cell = CellSize();
        return cell > 0 ? (canvas.bottom - canvas.top) / cell : -1;
    }

    AppContext context;
    EditorDialog dialog;
    ScratchDirectory scratch;
};

TEST_F(EditorDialogTest, StartsWithAnEmptyScreensaverAboveTheButtons) {
    // Made again over a logo-sized picture with ink in a shown and a hidden row.
    dialog.Destroy();
    PumpMessages();
    dialog.window = nullptr; // adopted again only from 0
    ForgetCanvasWindow();
    SetPictureMode(PictureMode::Logo);
    SetCell(3, 3, 1);
    SetCell(3, 40, 1);
    ASSERT_EQ(1, dialog.CreateModeless(nullptr, IDD_MAIN));
    PumpMessages();

    EXPECT_EQ(kScreensaverHeight, PictureHeight());
    EXPECT_EQ(1, SizeBoxChecked());
    EXPECT_EQ(0, InkCount(0, kGridRows - 1));

    RECT canvas = CanvasRect();
    EXPECT_EQ(5, canvas.left);
    EXPECT_EQ(5, canvas.top);
    ASSERT_GT(CellSize(), 0);
    EXPECT_EQ(kGridColumns * CellSize(), canvas.right - canvas.left);
    EXPECT_EQ(49, CanvasRows());

    RECT button;
    GetWindowRect(GetDlgItem(dialog.window, IDC_NEW), &button);
    MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_LE(canvas.bottom, button.top);
}

TEST_F(EditorDialogTest, SizeSwitchKeepsTheHiddenRows) {
    SetCell(3, 40, 1);
    ClickSizeBox();
    EXPECT_EQ(0, SizeBoxChecked());
    EXPECT_EQ(kLogoHeight, PictureHeight());
    EXPECT_EQ(29, CanvasRows());
    EXPECT_EQ(1, CellAt(3, 40));

    ClickSizeBox();
    EXPECT_EQ(1, SizeBoxChecked());
    EXPECT_EQ(kScreensaverHeight, PictureHeight());
    EXPECT_EQ(49, CanvasRows());
    EXPECT_EQ(1, CellAt(3, 40));
}

TEST_F(EditorDialogTest, InvertAndNewReachTheHiddenRowsAndKeepTheSize) {
    ClickSizeBox();
    SendMessageA(dialog.window, WM_COMMAND, IDC_INVERT, 0);
    EXPECT_EQ(kGridCells, InkCount(0, kGridRows - 1));
    SendMessageA(dialog.window, WM_COMMAND, IDC_NEW, 0);
    EXPECT_EQ(0, InkCount(0, kGridRows - 1));
    EXPECT_EQ(kLogoHeight, PictureHeight());
    EXPECT_EQ(0, SizeBoxChecked());
}

TEST_F(EditorDialogTest, BlockFilesBringTheirSizeAndTheBoxFollows) {
    std::string logo = scratch.Path("logo.bin"), screensaver = scratch.Path("saver.bin");
    ScratchDirectory::WriteBytes(logo, BlockFileBytes(29, {{100, 0}, {0, 28}}));
    ScratchDirectory::WriteBytes(screensaver, BlockFileBytes(49, {{50, 48}}));

    MessageBoxWatch watch(dialog.window);
    dialog.LoadFrom(logo.c_str());
    EXPECT_EQ(kLogoHeight, PictureHeight());
    EXPECT_EQ(0, SizeBoxChecked());
    EXPECT_EQ(29, CanvasRows());
    EXPECT_EQ(2, InkCount(0, kGridRows - 1));
    EXPECT_EQ(1, CellAt(100, 0));
    EXPECT_EQ(1, CellAt(0, 28));

    dialog.LoadFrom(screensaver.c_str());
    EXPECT_EQ(kScreensaverHeight, PictureHeight());
    EXPECT_EQ(1, SizeBoxChecked());
    EXPECT_EQ(49, CanvasRows());
    EXPECT_EQ(1, InkCount(0, kGridRows - 1));
    EXPECT_EQ(1, CellAt(50, 48));
    EXPECT_EQ(0, watch.count);
}

TEST_F(EditorDialogTest, BitmapsAreImportedAtTheCurrentSize) {
    std::string bitmap = scratch.Path("half.bmp");
    ScratchDirectory::WriteBytes(bitmap, HalfBlackBitmapBytes(49));
    MessageBoxWatch watch(dialog.window);

    dialog.LoadFrom(bitmap.c_str());
    EXPECT_EQ(kScreensaverHeight, PictureHeight());
    EXPECT_EQ(1, SizeBoxChecked());
    EXPECT_EQ(1, CellAt(0, 0));
    EXPECT_EQ(1, CellAt(0, 48));
    EXPECT_EQ(0, CellAt(100, 48));

    ClickSizeBox();
    SendMessageA(dialog.window, WM_COMMAND, IDC_INVERT, 0);
    dialog.LoadFrom(bitmap.c_str());
    EXPECT_EQ(kLogoHeight, PictureHeight());
    EXPECT_EQ(0, SizeBoxChecked());
    EXPECT_EQ(29, CanvasRows());
    EXPECT_EQ(1, CellAt(0, 28));
    EXPECT_EQ(0, CellAt(100, 0));
    EXPECT_EQ(0, InkCount(29, 48));
    EXPECT_EQ(0, watch.count);
}

TEST_F(EditorDialogTest, UnreadableFilesSayErrorOpenFileAndLeaveAnEmptyPicture) {
    std::string foreign = scratch.Path("notes.txt"), damaged = scratch.Path("broken.bmp");
    ScratchDirectory::WriteBytes(foreign, {'h', 'e', 'l', 'l', 'o'});
    ScratchDirectory::WriteBytes(damaged, {'B', 'M', 0x12, 0x34});
    ClickSizeBox(); // the size must survive the failed load

    for (const std::string& path : {foreign, damaged, scratch.Path("vanished.bin")}) {
        SCOPED_TRACE(path);
        SendMessageA(dialog.window, WM_COMMAND, IDC_INVERT, 0);
        MessageBoxWatch watch(dialog.window);
        dialog.LoadFrom(path.c_str());
        EXPECT_EQ(1, watch.count);
        EXPECT_EQ("Error open file", watch.text);
        EXPECT_EQ("Error", watch.caption);
        EXPECT_TRUE(watch.errorIcon);
        EXPECT_EQ(0, InkCount(0, kGridRows - 1));
        EXPECT_EQ(kLogoHeight, PictureHeight());
        EXPECT_EQ(0, SizeBoxChecked());
    }
}

TEST_F(EditorDialogTest, SaveWritesABlockOfTheCurrentSize) {
    std::string saver = scratch.Path("saver.bin"), logo = scratch.Path("logo.bin");
    MessageBoxWatch watch(dialog.window);
    dialog.SaveTo(saver.c_str());
    ClickSizeBox();
    dialog.SaveTo(logo.c_str());

    EXPECT_EQ(647u, ScratchDirectory::ReadBytes(saver).size());
    EXPECT_EQ(393u, ScratchDirectory::ReadBytes(logo).size());
    EXPECT_TRUE(ScratchDirectory::Exists(scratch.Path("logo.bid")));
    EXPECT_EQ(0, watch.count);
}

TEST_F(EditorDialogTest, SaveThatCannotWriteSaysSoAndChangesNothing) {
    SetCell(7, 7, 1);
    MessageBoxWatch watch(dialog.window);
    dialog.SaveTo(scratch.Path("missing-folder\\logo.bin").c_str());
    EXPECT_EQ(1, watch.count);
    EXPECT_EQ("Error save file", watch.text);
    EXPECT_EQ("Error", watch.caption);
    EXPECT_TRUE(watch.errorIcon);
    EXPECT_EQ(1, InkCount(0, kGridRows - 1));
    EXPECT_EQ(kScreensaverHeight, PictureHeight());
}

// Files dropped on the window: a DROPFILES block with ANSI paths, as the shell makes it.
HDROP DropOf(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(EditorDialogTest, DroppedFileLoadsAndUndoBringsBackSizeBoxAndCells) {
    std::string logo = scratch.Path("logo.bin"), other = scratch.Path("saver.bin");
    ScratchDirectory::WriteBytes(logo, BlockFileBytes(29, {{100, 0}}));
    ScratchDirectory::WriteBytes(other, BlockFileBytes(49, {{50, 48}}));
    SetCell(7, 40, 1);

    MessageBoxWatch no(dialog.window, IDNO); // the question about the unsaved cell
    SendMessageA(dialog.window, WM_DROPFILES, WPARAM(DropOf({logo, other})), 0);
    EXPECT_EQ(1, no.count);
    EXPECT_EQ(kLogoHeight, PictureHeight());
    EXPECT_EQ(0, SizeBoxChecked());
    EXPECT_EQ(1, InkCount(0, kGridRows - 1));

    SendMessageA(dialog.window, WM_COMMAND, IDM_UNDO, 0);
    EXPECT_EQ(kScreensaverHeight, PictureHeight());
    EXPECT_EQ(1, SizeBoxChecked());
    EXPECT_EQ(49, CanvasRows());
    EXPECT_EQ(1, CellAt(7, 40));
    EXPECT_EQ(1, InkCount(0, kGridRows - 1));

    SendMessageA(dialog.window, WM_COMMAND, IDM_REDO, 0);
    EXPECT_EQ(0, SizeBoxChecked());
    EXPECT_EQ(29, CanvasRows());
    EXPECT_EQ(1, CellAt(100, 0));
}

// Unsaved work is asked about before a drop replaces it and before the
// session ends; Cancel keeps both from going on.
TEST_F(EditorDialogTest, DropAndSessionEndAskAboutUnsavedWork) {
    std::string logo = scratch.Path("logo.bin");
    ScratchDirectory::WriteBytes(logo, BlockFileBytes(29, {{100, 0}}));
    EXPECT_EQ(TRUE, SendMessageA(dialog.window, WM_QUERYENDSESSION, 0, 0)); // nothing to lose
    SetCell(7, 40, 1);
    {
        MessageBoxWatch cancel(dialog.window, IDCANCEL);
        SendMessageA(dialog.window, WM_DROPFILES, WPARAM(DropOf({logo})), 0);
        EXPECT_EQ(FALSE, SendMessageA(dialog.window, WM_QUERYENDSESSION, 0, 0));
        EXPECT_EQ(2, cancel.count);
        EXPECT_EQ("Save changes to the picture?", cancel.text);
    }
    EXPECT_EQ(kScreensaverHeight, PictureHeight());
    EXPECT_EQ(1, InkCount(0, kGridRows - 1));
    {
        MessageBoxWatch no(dialog.window, IDNO);
        EXPECT_EQ(TRUE, SendMessageA(dialog.window, WM_QUERYENDSESSION, 0, 0));
        EXPECT_EQ(1, no.count);
    }
    // A path too long to take whole is refused, not cut short.
    MessageBoxWatch watch(dialog.window);
    std::string longName = scratch.Path(std::string(260, 'a') + ".bin");
    SendMessageA(dialog.window, WM_DROPFILES, WPARAM(DropOf({longName})), 0);
    EXPECT_EQ("Error open file", watch.text);
    EXPECT_EQ(1, CellAt(7, 40));
}

// With UTF-8 as the code page (the manifest's, which this program carries), a
// dropped name in any script arrives whole, also one longer than MAX_PATH bytes
// but shorter than MAX_PATH characters.
TEST_F(EditorDialogTest, DroppedNameInAnyScriptLoads) {
    ASSERT_EQ(65001u, GetACP());
    std::string path = scratch.Path(""); // joined as bytes: std::filesystem reads another code page
    for (int i = 0; i < 100; ++i)
        path += "\xe5\x9b\xbe";
    ASSERT_GT(path.size(), size_t(MAX_PATH));
    ScratchDirectory::WriteBytes(path += ".bin", BlockFileBytes(29, {{50, 28}}));
    std::wstring wide(path.size() + 2, L'\0'); // the shell's DROPFILES holds UTF-16
    wide.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], int(wide.size()))));
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (wide.size() + 1) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    *drop = {sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    memcpy(drop + 1, wide.data(), wide.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    MessageBoxWatch watch(dialog.window);
    SendMessageA(dialog.window, WM_DROPFILES, WPARAM(memory), 0);
    EXPECT_EQ(1, CellAt(50, 28)) << watch.text;
}

// Twice the scale and back: the suggested rectangle, larger cells and font,
// every control of the layout's list, nothing overlapping, the preview at one
// pixel a cell, the picture and check box kept; then all as before.
TEST_F(EditorDialogTest, AnotherDisplayScaleLaysTheWindowOutAgain) {
    ClickSizeBox();
    SetCell(4, 20, 1);
    RECT before, now, client, overlap;
    GetWindowRect(dialog.window, &before);
    int cell = CellSize(), dpi = WindowDpi(dialog.window);
    auto fontHeight = [&] {
        LOGFONTA font;
        GetObjectA(HGDIOBJ(SendDlgItemMessageA(dialog.window, IDC_NEW, WM_GETFONT, 0, 0)), sizeof font, &font);
        return abs(font.lfHeight);
    };
    int font = fontHeight();
    RECT larger = {before.left, before.top, 2 * before.right - before.left, 2 * before.bottom - before.top};
    SendMessageA(dialog.window, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), LPARAM(&larger));
    GetWindowRect(dialog.window, &now);
    EXPECT_TRUE(EqualRect(&now, &larger));
    EXPECT_GE(CellSize(), 2 * cell - 1);
    EXPECT_EQ(2 * font, fontHeight());
    EXPECT_EQ(CanvasMargin(2 * dpi), CanvasRect().left);
    EXPECT_EQ(29, CanvasRows());
    EXPECT_EQ(0, SizeBoxChecked());
    EXPECT_EQ(1, CellAt(4, 20));
    GetClientRect(dialog.window, &client);
    std::vector<RECT> taken = {CanvasRect()};
    for (HWND child = GetWindow(theCanvas.window, GW_HWNDFIRST); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = taken[0];
        if (child != theCanvas.window) {
            int id = GetDlgCtrlID(child), listed = child == thePreview.window;
            for (int i = 0; i < kMainWindowControlCount; ++i)
                listed |= kMainWindowControls[i].id == id;
            EXPECT_TRUE(listed) << id;
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, dialog.window, reinterpret_cast<POINT*>(&rect), 2);
            for (const RECT& other : taken)
                EXPECT_FALSE(IntersectRect(&overlap, &rect, &other));
            taken.push_back(rect);
        }
        EXPECT_TRUE(rect.right <= client.right && rect.bottom <= client.bottom);
    }
    RECT preview;
    GetClientRect(thePreview.window, &preview);
    EXPECT_EQ(101, preview.right);
    EXPECT_EQ(29, preview.bottom);
    SendMessageA(dialog.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&before));
    EXPECT_EQ(cell, CellSize());
    EXPECT_EQ(CanvasMargin(dpi), CanvasRect().left);
}

TEST_F(EditorDialogTest, CloseAndCancelQuitWithZeroAndOtherCommandsDoNothing) {
    ShowWindow(dialog.window, SW_SHOW);
    MSG msg;
    SendMessageA(dialog.window, WM_COMMAND, 0x1234, 0);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    SendMessageA(dialog.window, WM_COMMAND, IDC_CLOSE, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_TRUE(IsWindowVisible(dialog.window));

    // Cancel, the command the frame's close box turns into, also hides the window.
    SendMessageA(dialog.window, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, msg.wParam);
    EXPECT_FALSE(IsWindowVisible(dialog.window));
}

} // namespace
