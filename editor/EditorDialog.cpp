#include "editor/EditorDialog.h"

#include "editor/AboutDialog.h"
#include "editor/FileChooser.h"
#include "editor/MainWindowLayout.h"
#include "files/BitmapImport.h"
#include "files/BlockFile.h"
#include "picture/CanvasGeometry.h"
#include "picture/CanvasWindow.h"
#include "picture/PictureGrid.h"
#include "picture/PictureHistory.h"
#include "res/resource.h"
#include "support/CommandLine.h"
#include "ui/framework/WindowHelpers.h"

namespace {

void ShowErrorBox(HWND owner, const char* text) {
    MessageBoxA(owner, text, "Error", MB_ICONERROR | MB_OK);
}

int AskToSave(HWND owner) {
    return MessageBoxA(owner, "Save changes to the picture?", "Pixmint",
                       MB_ICONQUESTION | MB_YESNOCANCEL);
}

int FileExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

LRESULT EditorDialog::OnInitDialog() {
    SetPictureMode(PictureMode::Screensaver);
    SendDlgItemMessageA(window, IDC_PICTURE_SIZE, BM_SETCHECK, BST_CHECKED, 0);
    metrics = MeasureDialog(window);
    dpi = metrics.dpi;
    LayOutMainWindow(window, metrics, dpi);
    int margin = CanvasMargin(dpi);
    theCanvas.Create(this, margin, margin, ClientWidth());
    // Until a load or a save, Close compares with this empty start.
    theHistory.Clear();
    theHistory.MarkSaved();
    AddAboutToSystemMenu(window);
    DragAcceptFiles(window, TRUE);
    return 1;
}

// A dialog procedure's 1 for WM_DPICHANGED keeps the dialog manager from
// scaling the window a second time in its own way.
LRESULT EditorDialog::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 1;
    default:
        return DialogObject::WindowProc(hwnd, msg, wParam, lParam);
    }
}

void EditorDialog::OnClose(INT_PTR code) {
    if (code != 0)
        DialogObject::OnClose(code);
}

LRESULT EditorDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_NEW:
        OnNew();
        break;
    case IDC_INVERT:
        OnInvert();
        break;
    case IDC_PICTURE_SIZE:
        OnSizeSwitch();
        break;
    case IDC_LOAD:
        OnLoad();
        break;
    case IDC_SAVE:
        OnSave();
        break;
    case IDM_UNDO:
        OnUndo();
        break;
    case IDM_REDO:
        OnRedo();
        break;
    case IDCANCEL:
    case IDC_CLOSE:
        // Staying open: nothing to end, nothing to forward.
        if (!MayClose())
            return 0;
        Finish();
        break;
    case IDM_ABOUT:
        ShowAboutBox(this);
        break;
    default:
        break;
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
    theHistory.Checkpoint();
    ClearPicture();
    Repaint();
}

void EditorDialog::OnInvert() {
    theHistory.Checkpoint();
    InvertPicture();
    Repaint();
}

// The check box has already toggled itself. The picture is kept; growing the
// canvas uncovers the hidden rows, which the platform repaints.
void EditorDialog::OnSizeSwitch() {
    LRESULT checked = SendDlgItemMessageA(window, IDC_PICTURE_SIZE, BM_GETCHECK, 0, 0);
    theHistory.Checkpoint();
    SetPictureMode(checked ? PictureMode::Screensaver : PictureMode::Logo);
    ResizeCanvas();
}

void EditorDialog::OnLoad() {
    const char* path = ChooseOpenPath(window, IDS_OPEN_FILTER, "bmp");
    if (path[0] != '\0')
        LoadFrom(path);
}

int EditorDialog::OnSave() {
    const char* path = ChooseSavePath(window, IDS_SAVE_FILTER, "bin");
    return path[0] != '\0' && SaveTo(path);
}

void EditorDialog::OnUndo() {
    if (theHistory.Undo())
        ShowRestoredPicture();
}

void EditorDialog::OnRedo() {
    if (theHistory.Redo())
        ShowRestoredPicture();
}

void EditorDialog::ShowRestoredPicture() {
    SetButtonCheck(window, IDC_PICTURE_SIZE, GetPictureMode() == PictureMode::Screensaver);
    ResizeCanvas();
    Repaint();
}

// The first file, when several are dropped at once. A name in UTF-8 takes up
// to three bytes for each of the MAX_PATH characters the system allows.
void EditorDialog::OnDropFiles(HDROP drop) {
    char path[3 * MAX_PATH];
    UINT length = DragQueryFileA(drop, 0, path, sizeof path);
    DragFinish(drop);
    if (length > 0 && length < sizeof path)
        LoadFrom(path);
}

// An unquoted path with blanks in it comes as several items: when the first
// is no file but the whole line is, the whole line was meant.
void EditorDialog::OpenDocument(const char* arguments) {
    TextString path = FirstCommandLineItem(arguments);
    if (path.length == 0)
        return;
    TextString whole = WholeCommandLine(arguments);
    if (!FileExists(path.text) && FileExists(whole.text))
        path.Assign(whole);
    LoadFrom(path.text);
}

int EditorDialog::MayClose() {
    theHistory.End();
    if (!theHistory.Modified())
        return 1;
    switch (AskToSave(window)) {
    case IDYES:
        return OnSave();
    case IDNO:
        return 1;
    default:
        return 0;
    }
}

// A block file brings its own size and the check box follows it; a bitmap is
// scaled into the current size. Anything else leaves an empty picture.
// The picture before it is a step of its own, whatever the file turns out to be.
void EditorDialog::LoadFrom(const char* path) {
    theHistory.Checkpoint();
    ClearPicture();
    int logo = IsLogoBlockFile(path);
    int screensaver = IsScreensaverBlockFile(path);
    if (logo) {
        SetPictureMode(PictureMode::Logo);
        SetButtonCheck(window, IDC_PICTURE_SIZE, screensaver);
        ReadBlockFile(path);
        theHistory.MarkSaved();
    } else if (screensaver) {
        SetPictureMode(PictureMode::Screensaver);
        SetButtonCheck(window, IDC_PICTURE_SIZE, screensaver);
        ReadBlockFile(path);
        theHistory.MarkSaved();
    } else if (IsBitmapFile(path) && ImportBitmap(path, window)) {
        theHistory.MarkSaved();
    } else {
        // A "BM" file the loader cannot read is as unreadable as any other.
        ShowErrorBox(window, "Error open file");
    }
    ResizeCanvas();
    Repaint();
}

// A block file that could not be written completely must not pass silently:
// the user would otherwise believe the picture is safe on disk.
int EditorDialog::SaveTo(const char* path) {
    if (!WriteBlockFile(path)) {
        ShowErrorBox(window, "Error save file");
        return 0;
    }
    theHistory.MarkSaved();
    return 1;
}

// The font is made again for the new scale and owned by the window object,
// which deletes it with the window; the one it replaces goes now. The picture,
// its size and the check box stay as they are.
void EditorDialog::OnDpiChanged(int newDpi, const RECT* suggested) {
    if (newDpi <= 0)
        return;
    dpi = newDpi;
    if (suggested)
        PlaceWindow(window, suggested->left, suggested->top, suggested->right - suggested->left,
                    suggested->bottom - suggested->top, 0);
    HFONT font = CreateDialogFontForDpi(metrics, dpi);
    if (font) {
        SetFontOfChildren(window, font);
        if (gdiObject)
            DeleteObject(gdiObject);
        gdiObject = font;
    }
    LayOutMainWindow(window, metrics, dpi);
    int margin = CanvasMargin(dpi);
    theCanvas.Relocate(this, margin, margin, ClientWidth());
    Repaint();
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
