#include "editor/EditorDialog.h"

#include "editor/AboutDialog.h"
#include "editor/FileChooser.h"
#include "files/BitmapImport.h"
#include "files/BlockFile.h"
#include "picture/CanvasGeometry.h"
#include "picture/CanvasWindow.h"
#include "picture/PictureGrid.h"
#include "res/resource.h"
#include "ui/framework/WindowHelpers.h"

namespace {

void ShowErrorBox(HWND owner, const char* text) {
    MessageBoxA(owner, text, "Error", MB_ICONERROR | MB_OK);
}

}  // namespace

LRESULT EditorDialog::OnInitDialog() {
    SetPictureMode(PictureMode::Screensaver);
    SendDlgItemMessageA(window, IDC_PICTURE_SIZE, BM_SETCHECK, BST_CHECKED, 0);
    theCanvas.Create(this, kCanvasLeft, kCanvasTop, ClientWidth());
    AddAboutToSystemMenu(window);
    return 1;
}

LRESULT EditorDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_NEW: OnNew(); break;
    case IDC_INVERT: OnInvert(); break;
    case IDC_PICTURE_SIZE: OnSizeSwitch(); break;
    case IDC_LOAD: OnLoad(); break;
    case IDC_SAVE: OnSave(); break;
    case IDCANCEL: Finish(); break;
    case IDC_CLOSE: Finish(); break;
    case IDM_ABOUT: ShowAboutBox(this); break;
    default: break;
    }
    // IDCANCEL also ends (hides) the dialog; there is no parent to forward to.
    return DialogObject::OnCommand(wParam, lParam);
}

// The system keeps flags in the low four bits of a system command.
LRESULT EditorDialog::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    if ((wParam & 0xFFF0) != kAboutSystemCommand)
        return DialogObject::OnSysCommand(wParam, lParam);
    OnCommand(IDM_ABOUT, 0);
    return 0;
}

void EditorDialog::Finish() {
    PostQuitMessage(0);
}

void EditorDialog::OnNew() {
    ClearPicture();
    Repaint();
}

void EditorDialog::OnInvert() {
    InvertPicture();
    Repaint();
}

// The check box has already toggled itself. The picture is kept; growing the
// canvas uncovers the hidden rows, which the platform repaints.
void EditorDialog::OnSizeSwitch() {
    LRESULT checked = SendDlgItemMessageA(window, IDC_PICTURE_SIZE, BM_GETCHECK, 0, 0);
    SetPictureMode(checked ? PictureMode::Screensaver : PictureMode::Logo);
    ResizeCanvas();
}

void EditorDialog::OnLoad() {
    const char* path = ChooseOpenPath(window, IDS_OPEN_FILTER, "bmp");
    if (path[0] != '\0') LoadFrom(path);
}

void EditorDialog::OnSave() {
    const char* path = ChooseSavePath(window, IDS_SAVE_FILTER, "bin");
    if (path[0] != '\0') SaveTo(path);
}

// A block file brings its own size and the check box follows it; a bitmap is
// scaled into the current size. Anything else leaves an empty picture.
void EditorDialog::LoadFrom(const char* path) {
    ClearPicture();
    int logo = IsLogoBlockFile(path);
    int screensaver = IsScreensaverBlockFile(path);
    if (logo) {
        SetPictureMode(PictureMode::Logo);
        SetButtonCheck(window, IDC_PICTURE_SIZE, screensaver);
        ReadBlockFile(path);
    } else if (screensaver) {
        SetPictureMode(PictureMode::Screensaver);
        SetButtonCheck(window, IDC_PICTURE_SIZE, screensaver);
        ReadBlockFile(path);
    } else if (!IsBitmapFile(path) || !ImportBitmap(path, window)) {
        // A "BM" file the loader cannot read is as unreadable as any other.
        ShowErrorBox(window, "Error open file");
    }
    ResizeCanvas();
    Repaint();
}

// A block file that could not be written completely must not pass silently:
// the user would otherwise believe the picture is safe on disk.
void EditorDialog::SaveTo(const char* path) {
    if (!WriteBlockFile(path)) ShowErrorBox(window, "Error save file");
}

int EditorDialog::ClientWidth() {
    RECT client;
    GetClientRect(window, &client);
    return client.right - client.left;
}

void EditorDialog::ResizeCanvas() {
    theCanvas.Resize(this, ClientWidth());
}

// The main window does not clip its children, so this repaints the canvas too.
void EditorDialog::Repaint() {
    InvalidateRect(window, nullptr, TRUE);
}
