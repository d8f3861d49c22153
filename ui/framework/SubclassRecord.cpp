#include "ui/framework/SubclassRecord.h"

#include "ui/framework/WindowObject.h"

SubclassRecord::SubclassRecord()
    : window(nullptr), prevWndProc(nullptr), handlerProc(nullptr), owner(nullptr) {}

SubclassRecord::~SubclassRecord() {
    Detach();
}

// The record goes into the user data before the procedure changes, so the
// first message through SubclassWindowProc already finds it.
void SubclassRecord::Attach(HWND control, WindowObject* owner, WNDPROC handlerProc) {
    window = control;
    this->owner = owner;
    this->handlerProc = handlerProc;
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    prevWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassWindowProc)));
}

void SubclassRecord::Detach() {
    if (!prevWndProc)
        return;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prevWndProc));
    prevWndProc = nullptr;
}

// The control's own procedure is not called while it is attached: what the
// owner leaves to default processing goes to DefWindowProcA.
LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<SubclassRecord*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (record && record->owner)
        return record->owner->WindowProc(hwnd, msg, wParam, lParam);
    if (record && record->handlerProc)
        return record->handlerProc(hwnd, msg, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
