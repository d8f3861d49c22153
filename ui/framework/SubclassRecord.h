// SubclassRecord: hands the messages of an existing control (one this program
// did not create) to an owner object, or to a plain window procedure. It is
// embedded in its owner.
#pragma once

#include <windows.h>

class WindowObject;

class SubclassRecord {
  public:
    HWND window;         // the control
    WNDPROC prevWndProc; // the control's own procedure; 0 = not attached
    WNDPROC handlerProc; // receives the messages when there is no owner
    WindowObject* owner; // receives the messages through its WindowProc

    SubclassRecord();
    ~SubclassRecord();
    SubclassRecord(const SubclassRecord&) = delete;
    SubclassRecord& operator=(const SubclassRecord&) = delete;

    void Attach(HWND control, WindowObject* owner, WNDPROC handlerProc);
    // Gives the control its own procedure back.
    void Detach();
};

// The procedure that Attach installs on the control.
LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
