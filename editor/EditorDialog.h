// The main editor window: a modeless dialog (template 102) with the canvas
// above a row of buttons. Its command handler is where New, Invert, the size
// switch, Load..., Save... and Close meet the picture and the files. Every
// change of the picture is a step that undo and redo go through, and closing
// asks first when the picture holds changes that were never saved. Right of
// the canvas: the real-size preview, the tool strip and the buttons that move
// and mirror the picture.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "ui/framework/DialogObject.h"
#include "ui/framework/DisplayScale.h"

class EditorDialog : public DialogObject {
  public:
    // Files dropped on the window and a change of display scale arrive here;
    // everything else goes on to the dispatcher.
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The close box's WM_CLOSE: the dialog manager turns it into IDCANCEL,
    // which asks first; the window is not ended here.
    void OnClose(INT_PTR code) override;
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The About... item of the system menu runs command IDM_ABOUT.
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog() override;
    LRESULT OnQueryEndSession() override;
    // Ends the program: posts the quit message with exit code 0.
    virtual void Finish();

    // What Load... and Save... do once the file chooser has delivered a path.
    void LoadFrom(const char* path);
    // Returns 1 when the picture is on disk.
    int SaveTo(const char* path);
    // Loads the document named first on the command line (arguments without
    // the program's path), as Load... would; nothing when there is none.
    void OpenDocument(const char* arguments);

  private:
    void OnNew();
    void OnInvert();
    void OnSizeSwitch();
    void OnLoad();
    int OnSave();
    void OnUndo();
    void OnRedo();
    void OnCopy();
    void OnPaste();
    // A tool button or its key: the canvas takes the tool, the button shows it.
    void OnTool(int buttonId);
    // Shifts and mirrors act on the visible picture, one step each.
    void OnMove(int commandId);
    void OnText();
    void OnDropFiles(HDROP drop);
    // The window moved to a monitor of another scale (WM_DPICHANGED): it takes
    // the rectangle the system suggests and lays itself out again at dpi.
    void OnDpiChanged(int dpi, const RECT* suggested);
    // Close, the close box, Esc, the session's end, Load... and a drop: 1 when
    // the picture may be set aside, after the user was asked about unsaved
    // changes and answered Yes (and the picture was saved) or No.
    int MayClose();
    // After undo or redo: the check box and the canvas follow the picture.
    void ShowRestoredPicture();

    // The width the canvas may take, margins included: up to the tool strip.
    int CanvasAreaWidth();
    // The strip's top-left corner, where the preview sits, in client pixels
    // at the current scale.
    DialogRect StripCorner();
    void ResizeCanvas();
    void Repaint();

    // What the dialog manager made the window with, and the scale it is at now.
    DialogMetrics metrics = {};
    int dpi = USER_DEFAULT_SCREEN_DPI;
};
