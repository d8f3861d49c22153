#include "editor/EditorDialog.h"

#include "editor/AboutDialog.h"
#include "editor/CanvasWindow.h"
#include "editor/FileChooser.h"
#include "editor/PictureClipboard.h"
#include "editor/PreviewWindow.h"
#include "editor/TextWindow.h"
#include "files/BitmapImport.h"
#include "files/BlockFile.h"
#include "files/PictureImport.h"
#include "picture/CanvasGeometry.h"
#include "picture/PictureGrid.h"
#include "picture/PictureHistory.h"
#include "picture/PictureMoves.h"
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

// The left edge of the strip right of the canvas, and the top of the preview
// above the tools, in dialog units.
constexpr int kStripLeft = 482;
constexpr int kPreviewTop = 5;

struct ToolButton {
    int id;
    Tool tool;
};

constexpr ToolButton kToolButtons[] = {
    {IDC_TOOL_PEN, Tool::Pen},
    {IDC_TOOL_LINE, Tool::Line},
    {IDC_TOOL_RECTANGLE, Tool::Rectangle},
    {IDC_TOOL_FILLED_RECTANGLE, Tool::FilledRectangle},
    {IDC_TOOL_ELLIPSE, Tool::Ellipse},
    {IDC_TOOL_FILLED_ELLIPSE, Tool::FilledEllipse},
    {IDC_TOOL_FILL, Tool::Fill},
};

// A point in dialog units as client pixels of the dialog.
POINT DialogPoint(HWND dialog, int x, int y) {
    RECT rect = {x, y, x, y};
    MapDialogRect(dialog, &rect);
    return {rect.left, rect.top};
}

} // namespace

LRESULT EditorDialog::OnInitDialog() {
    SetPictureMode(PictureMode::Screensaver);
    SendDlgItemMessageA(window, IDC_PICTURE_SIZE, BM_SETCHECK, BST_CHECKED, 0);
    theCanvas.Create(this, kCanvasLeft, kCanvasTop, CanvasAreaWidth());
    POINT preview = DialogPoint(window, kStripLeft, kPreviewTop);
    thePreview.Create(this, preview.x, preview.y);
    OnTool(IDC_TOOL_PEN);
    // Until a load or a save, Close compares with this empty start.
    theHistory.Clear();
    theHistory.MarkSaved();
    AddAboutToSystemMenu(window);
    DragAcceptFiles(window, TRUE);
    return 1;
}

LRESULT EditorDialog::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_DROPFILES)
        return DialogObject::WindowProc(hwnd, msg, wParam, lParam);
    OnDropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
}

void EditorDialog::OnClose(INT_PTR code) {
    if (code != 0)
        DialogObject::OnClose(code);
}

LRESULT EditorDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam && reinterpret_cast<HWND>(lParam) == theCanvas.window) {
        thePreview.Refresh();
        return 0;
    }
    // Any command drops a shape being dragged before it acts; Esc does only that.
    if (theCanvas.CancelShape() && LOWORD(wParam) == IDM_ESCAPE)
        return 0;
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
    case IDM_COPY:
        OnCopy();
        break;
    case IDM_PASTE:
        OnPaste();
        break;
    case IDC_TOOL_PEN:
    case IDC_TOOL_LINE:
    case IDC_TOOL_RECTANGLE:
    case IDC_TOOL_FILLED_RECTANGLE:
    case IDC_TOOL_ELLIPSE:
    case IDC_TOOL_FILLED_ELLIPSE:
    case IDC_TOOL_FILL:
        OnTool(LOWORD(wParam));
        break;
    case IDC_TEXT:
        OnText();
        break;
    case IDC_SHIFT_LEFT:
    case IDC_SHIFT_RIGHT:
    case IDC_SHIFT_UP:
    case IDC_SHIFT_DOWN:
    case IDC_MIRROR_LEFT_RIGHT:
    case IDC_MIRROR_TOP_BOTTOM:
        OnMove(LOWORD(wParam));
        break;
    case IDM_ESCAPE:
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

// Unsaved work is asked about before the chooser opens.
void EditorDialog::OnLoad() {
    if (!MayClose())
        return;
    const char* path = ChooseOpenPath(window, IDS_OPEN_FILTER, "bmp");
    if (path[0] != '\0')
        LoadFrom(path);
}

int EditorDialog::OnSave() {
    const char* path = ChooseSavePath(window, IDS_SAVE_FILTER, "bin");
    return path[0] != '\0' && SaveTo(path);
}

void EditorDialog::OnTool(int buttonId) {
    for (const ToolButton& button : kToolButtons)
        if (button.id == buttonId)
            theCanvas.SetTool(button.tool);
    CheckRadioButton(window, IDC_TOOL_PEN, IDC_TOOL_FILL, buttonId);
}

void EditorDialog::OnMove(int commandId) {
    theHistory.Checkpoint();
    switch (commandId) {
    case IDC_SHIFT_LEFT:
        ShiftPicture(thePicture, -1, 0);
        break;
    case IDC_SHIFT_RIGHT:
        ShiftPicture(thePicture, 1, 0);
        break;
    case IDC_SHIFT_UP:
        ShiftPicture(thePicture, 0, -1);
        break;
    case IDC_SHIFT_DOWN:
        ShiftPicture(thePicture, 0, 1);
        break;
    case IDC_MIRROR_LEFT_RIGHT:
        MirrorPictureLeftRight(thePicture);
        break;
    default:
        MirrorPictureTopBottom(thePicture);
        break;
    }
    Repaint();
}

// The text window puts its text into the picture itself, as one step.
void EditorDialog::OnText() {
    if (ShowTextWindow(this))
        Repaint();
}

void EditorDialog::OnUndo() {
    if (theHistory.Undo())
        ShowRestoredPicture();
}

void EditorDialog::OnRedo() {
    if (theHistory.Redo())
        ShowRestoredPicture();
}

void EditorDialog::OnCopy() {
    CopyPictureToClipboard(window);
}

// Imported as a bitmap file of the same pixels would be, as one step; without
// a picture on the clipboard nothing changes.
void EditorDialog::OnPaste() {
    HANDLE image = LoadClipboardPicture(window);
    if (!image)
        return;
    theHistory.Checkpoint();
    ImportLoadedBitmap(image, window);
    Repaint();
}

void EditorDialog::ShowRestoredPicture() {
    SetButtonCheck(window, IDC_PICTURE_SIZE, GetPictureMode() == PictureMode::Screensaver);
    ResizeCanvas();
    Repaint();
}

// The first file, when several are dropped at once. A path too long for the
// buffer is refused whole: the copy would be cut short, naming another file.
void EditorDialog::OnDropFiles(HDROP drop) {
    char path[MAX_PATH];
    UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0 || length >= sizeof path || DragQueryFileA(drop, 0, path, sizeof path) != length)
        path[0] = '\0';
    DragFinish(drop);
    if (path[0] == '\0')
        ShowErrorBox(window, "Error open file");
    else if (MayClose())
        LoadFrom(path);
}

// Logging off or shutting down: unsaved work is asked about as on Close, and
// Cancel or a failed save keeps the session from ending. A dialog procedure
// answers through DWLP_MSGRESULT; its own result only says it did.
LRESULT EditorDialog::OnQueryEndSession() {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, MayClose() ? TRUE : FALSE);
    return TRUE;
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

// A block file brings its own size and the check box follows it; a bitmap,
// or a picture in another image format, is scaled into the current size.
// Anything else leaves an empty picture.
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
    } else if (IsBitmapFile(path) ? ImportBitmap(path, window) : ImportPicture(path, window)) {
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

// The canvas ends at least a pixel before the strip.
int EditorDialog::CanvasAreaWidth() {
    return DialogPoint(window, kStripLeft, 0).x - kCanvasLeft - 1;
}

void EditorDialog::ResizeCanvas() {
    theCanvas.Resize(this, CanvasAreaWidth());
    thePreview.Resize();
}

// The main window does not clip its children, so this repaints the canvas too.
void EditorDialog::Repaint() {
    InvalidateRect(window, nullptr, TRUE);
}
