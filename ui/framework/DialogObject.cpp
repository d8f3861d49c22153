#include "ui/framework/DialogObject.h"

#include "app/AppContext.h"

namespace {

// ClassWindowProc serves as the dialog procedure; the two differ only in the
// name of their pointer-sized result type.
DLGPROC DialogProc() {
    return reinterpret_cast<DLGPROC>(ClassWindowProc);
}

HWND WindowOf(WindowObject* parent) {
    return parent ? parent->window : nullptr;
}

} // namespace

DialogObject::DialogObject() {
    isDialog = 1;
}

DialogObject::~DialogObject() {
    Destroy();
}

void DialogObject::OnClose(INT_PTR code) {
    EndDialog(window, code);
}

// Only a plain IDOK or IDCANCEL (notification code 0) ends the dialog.
LRESULT DialogObject::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam == IDOK || wParam == IDCANCEL)
        OnClose(static_cast<INT_PTR>(wParam));
    if (parentWindow)
        return SendMessageA(parentWindow, WM_COMMAND, wParam, lParam);
    return 0;
}

// 0 leaves the hit test to the dialog manager.
LRESULT DialogObject::OnNcHitTest(UINT, UINT) {
    return 0;
}

int DialogObject::CreateModeless(WindowObject* parent, int templateId) {
    parentWindow = WindowOf(parent);
    window = CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(templateId), parentWindow,
                                DialogProc(), reinterpret_cast<LPARAM>(this));
    return window ? 1 : 0;
}

// The dialog window is gone when this returns; `window` keeps the dead handle.
INT_PTR DialogObject::RunModal(WindowObject* parent, int templateId) {
    parentWindow = WindowOf(parent);
    return DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(templateId), parentWindow,
                           DialogProc(), reinterpret_cast<LPARAM>(this));
}
