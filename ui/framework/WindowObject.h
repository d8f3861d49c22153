// WindowObject: the object behind a window of this program. The shared window
// procedure finds the object through the window's user data and hands every
// message to WindowProc, which calls one virtual operation per message kind.
// Derived classes only override operations.
#pragma once

#include <windows.h>

// The application-defined message meant for a notification-area icon.
constexpr UINT MY_WM_TRAY = WM_USER;

class WindowObject {
  public:
    WNDPROC prevWndProc; // procedure in place before the object took the window; 0 = none
    HGDIOBJ gdiObject;   // a GDI object the window object owns; Destroy deletes it
    HWND parentWindow;   // parent or owner; target of the commands a dialog forwards
    HWND window;         // the object's own window; 0 until known
    int isDialog;        // 1 when the dialog manager does the default processing

    WindowObject();
    virtual ~WindowObject();
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    // The dispatcher. Operations marked "default follows" have their message
    // passed on to DefaultProc afterwards; the others return their result.
    virtual LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void OnClose(INT_PTR code); // default follows
    virtual void OnPaint(HWND hwnd);    // default follows
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnCreate(HWND hwnd, LPARAM createStruct);
    virtual LRESULT OnDestroy();
    virtual void OnNcPaint(WPARAM region); // default follows
    virtual LRESULT OnNcHitTest(UINT x, UINT y);
    virtual void OnActivate(WPARAM wParam);                 // default follows
    virtual void OnActivateApp(WPARAM active);              // default follows
    virtual void OnShowWindow(WPARAM shown, LPARAM status); // default follows
    virtual void OnTimer();                                 // default follows
    virtual void OnNotify(WPARAM controlId, LPARAM header); // default follows
    virtual LRESULT OnQueryEndSession();
    virtual void OnTrayNotify(LPARAM lParam); // default follows
    virtual LRESULT OnMenuChar(WPARAM wParam, LPARAM menu);
    virtual LRESULT OnMenuSelect(UINT item, UINT flags, LPARAM menu);
    virtual void OnInitMenuPopup(WPARAM menu, UINT isWindowMenu, UINT position); // default follows
    virtual void OnMouseMove(WPARAM keys, UINT x, UINT y);                       // default follows
    virtual void OnLButtonDown(WPARAM keys, UINT x, UINT y);                     // default follows
    virtual void OnLButtonUp(WPARAM keys, UINT x, UINT y);                       // default follows
    virtual void OnRButtonDown(WPARAM keys, UINT x, UINT y);                     // default follows
    virtual void OnRButtonUp(WPARAM keys, UINT x, UINT y);                       // default follows
    virtual LRESULT OnCtlColorStatic(WPARAM dc, LPARAM control);
    virtual LRESULT OnCtlColorBtn(WPARAM dc, LPARAM control);
    virtual LRESULT OnInitDialog();
    virtual void OnVScroll(WPARAM wParam, LPARAM scrollBar); // default follows
    virtual void OnHScroll(WPARAM wParam, LPARAM scrollBar); // default follows
    virtual void OnKeyUp(WPARAM key, LPARAM flags);          // default follows
    virtual void OnKeyDown(WPARAM key, LPARAM flags);        // default follows
    virtual LRESULT OnHotKey(WPARAM id, LPARAM keys);

    // Default processing for `window`: 0 for a dialog (the dialog manager does
    // it), else the previous procedure or DefWindowProcA.
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Registers className once (with ClassWindowProc) and creates the window.
    // 1 if the window exists afterwards, 0 if not.
    int Create(DWORD exStyle, const char* className, DWORD style, int x, int y, int width,
               int height, HWND parentWindow, HMENU menuOrId);
    // Tears the window down if it still exists; harmless when called again.
    void Destroy();
    BOOL SetTextFromResource(int stringId);
    void SetIcon(int iconId, int small);
    LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam);
    BOOL Place(int x, int y, int width, int height, int sizeOnly);
};

// Window procedure of every class that Create registers, and dialog procedure
// of every dialog that DialogObject creates.
LRESULT CALLBACK ClassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
