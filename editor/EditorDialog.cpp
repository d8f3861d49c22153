#include "editor/EditorDialog.h"

#include "editor/AboutDialog.h"
#include "editor/CanvasWindow.h"
#include "editor/FileChooser.h"
#include "editor/MainWindowLayout.h"
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

// Fewer than MAX_PATH characters as the system counts them (UTF-16 units),
// however many bytes the code page takes for each.
int FitsMaxPath(const char* path) {
    int units = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    return units > 0 && units <= MAX_PATH;
}

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

} // namespace

LRESULT EditorDialog::OnInitDialog() {
    SetPictureMode(PictureMode::Screensaver);
    SendDlgItemMessageA(window, IDC_PICTURE_SIZE, BM_SETCHECK, BST_CHECKED, 0);
    metrics = MeasureDialog(window);
    dpi = metrics.dpi;
    LayOutMainWindow(window, metrics, dpi);
    int margin = CanvasMargin(dpi);
    theCanvas.Create(this, margin, margin, CanvasAreaWidth());
    DialogRect strip = StripCorner();
    thePreview.Create(this, strip.left, strip.top);
    OnTool(IDC_TOOL_PEN);
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

// The first file, when several are dropped at once. A name in UTF-8 takes up
// to three bytes for each of the MAX_PATH characters the system allows, so the
// buffer holds every name the system can hand over; a path longer than
// MAX_PATH characters is refused whole all the same, as the functions that
// would open it take no more: a copy cut short would name another file.
void EditorDialog::OnDropFiles(HDROP drop) {
    char path[3 * MAX_PATH];
    UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0 || length >= sizeof path || DragQueryFileA(drop, 0, path, sizeof path) != length ||
        !FitsMaxPath(path))
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

// The font is made again for the new scale and owned by the window object,
// which deletes it with the window; the one it replaces goes now. The picture,
// its size, the check box and the tool stay as they are; the preview keeps one
// screen pixel a cell.
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
    theCanvas.Relocate(this, margin, margin, CanvasAreaWidth());
    DialogRect strip = StripCorner();
    thePreview.MoveTo(strip.left, strip.top);
    Repaint();
}

DialogRect EditorDialog::StripCorner() {
    return DialogToPixels({kStripLeft, kPreviewTop, 0, 0}, metrics, dpi);
}

// The canvas keeps its margin before the strip as on its other sides.
int EditorDialog::CanvasAreaWidth() {
    return StripCorner().left;
}

void EditorDialog::ResizeCanvas() {
    theCanvas.Resize(this, CanvasAreaWidth());
    thePreview.Resize();
}

// The main window does not clip its children, so this repaints the canvas too.
void EditorDialog::Repaint() {
    InvalidateRect(window, nullptr, TRUE);
}
