#include "ui/framework/WindowObject.h"

#include "app/AppContext.h"
#include "diag/ErrorLog.h"
#include "support/TextServices.h"
#include "ui/framework/WindowHelpers.h"

namespace {

// Mouse positions are unpacked unsigned: a point left of or above the window
// (seen while the mouse is captured) arrives as 65536 minus the distance.
UINT LowWord(LPARAM value) {
    return LOWORD(value);
}
UINT HighWord(LPARAM value) {
    return HIWORD(value);
}

} // namespace

WindowObject::WindowObject()
    : prevWndProc(nullptr), gdiObject(nullptr), parentWindow(nullptr), window(nullptr),
      isDialog(0) {}

WindowObject::~WindowObject() {
    Destroy();
}

LRESULT WindowObject::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        OnClose(0);
        break;
    case WM_PAINT:
        OnPaint(hwnd);
        break;
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam, lParam);
    case WM_CREATE:
        return OnCreate(hwnd, lParam);
    case WM_DESTROY:
        return OnDestroy();
    case WM_NCPAINT:
        OnNcPaint(wParam);
        break;
    case WM_NCHITTEST:
        return OnNcHitTest(LowWord(lParam), HighWord(lParam));
    case WM_ACTIVATE:
        OnActivate(wParam);
        break;
    case WM_ACTIVATEAPP:
        OnActivateApp(wParam);
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam, lParam);
        break;
    case WM_TIMER:
        OnTimer();
        break;
    case WM_NOTIFY:
        OnNotify(wParam, lParam);
        break;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession();
    case MY_WM_TRAY:
        OnTrayNotify(lParam);
        break;
    case WM_MENUCHAR:
        return OnMenuChar(wParam, lParam);
    case WM_MENUSELECT:
        return OnMenuSelect(LowWord(wParam), HighWord(wParam), lParam);
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(wParam, HighWord(lParam), LowWord(lParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, LowWord(lParam), HighWord(lParam));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, LowWord(lParam), HighWord(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, LowWord(lParam), HighWord(lParam));
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(wParam, LowWord(lParam), HighWord(lParam));
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(wParam, LowWord(lParam), HighWord(lParam));
        break;
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(wParam, lParam);
    case WM_CTLCOLORBTN:
        return OnCtlColorBtn(wParam, lParam);
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_VSCROLL:
        OnVScroll(wParam, lParam);
        break;
    case WM_HSCROLL:
        OnHScroll(wParam, lParam);
        break;
    case WM_KEYUP:
        OnKeyUp(wParam, lParam);
        break;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        break;
    case WM_HOTKEY:
        return OnHotKey(wParam, lParam);
    }
    return DefaultProc(msg, wParam, lParam);
}

void WindowObject::OnClose(INT_PTR code) {
    PostQuitMessage(static_cast<int>(code));
}

// Validates the update region so that WM_PAINT stops coming; draws nothing.
void WindowObject::OnPaint(HWND hwnd) {
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    EndPaint(hwnd, &paint);
}

LRESULT WindowObject::OnCommand(WPARAM, LPARAM) {
    return 1;
}

LRESULT WindowObject::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    return DefaultProc(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT WindowObject::OnCreate(HWND, LPARAM) {
    return 0;
}

LRESULT WindowObject::OnDestroy() {
    return 0;
}

void WindowObject::OnNcPaint(WPARAM) {}

LRESULT WindowObject::OnNcHitTest(UINT x, UINT y) {
    return DefaultProc(WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

void WindowObject::OnActivate(WPARAM) {}

void WindowObject::OnActivateApp(WPARAM) {}

void WindowObject::OnShowWindow(WPARAM, LPARAM) {}

void WindowObject::OnTimer() {}

void WindowObject::OnNotify(WPARAM, LPARAM) {}

LRESULT WindowObject::OnQueryEndSession() {
    return 0;
}

void WindowObject::OnTrayNotify(LPARAM) {}

LRESULT WindowObject::OnMenuChar(WPARAM, LPARAM) {
    return 0;
}

LRESULT WindowObject::OnMenuSelect(UINT, UINT, LPARAM) {
    return 0;
}

void WindowObject::OnInitMenuPopup(WPARAM, UINT, UINT) {}

void WindowObject::OnMouseMove(WPARAM, UINT, UINT) {}

void WindowObject::OnLButtonDown(WPARAM, UINT, UINT) {}

void WindowObject::OnLButtonUp(WPARAM, UINT, UINT) {}

void WindowObject::OnRButtonDown(WPARAM, UINT, UINT) {}

void WindowObject::OnRButtonUp(WPARAM, UINT, UINT) {}

LRESULT WindowObject::OnCtlColorStatic(WPARAM, LPARAM) {
    return 0;
}

LRESULT WindowObject::OnCtlColorBtn(WPARAM, LPARAM) {
    return 0;
}

LRESULT WindowObject::OnInitDialog() {
    return 1;
}

void WindowObject::OnVScroll(WPARAM, LPARAM) {}

void WindowObject::OnHScroll(WPARAM, LPARAM) {}

void WindowObject::OnKeyUp(WPARAM, LPARAM) {}

void WindowObject::OnKeyDown(WPARAM, LPARAM) {}

LRESULT WindowObject::OnHotKey(WPARAM, LPARAM) {
    return 0;
}

// Always for `window`, whatever handle the message came with.
LRESULT WindowObject::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (isDialog)
        return 0;
    if (prevWndProc)
        return CallWindowProcA(prevWndProc, window, msg, wParam, lParam);
    return DefWindowProcA(window, msg, wParam, lParam);
}

int WindowObject::Create(DWORD exStyle, const char* className, DWORD style, int x, int y, int width,
                         int height, HWND parentWindow, HMENU menuOrId) {
    this->parentWindow = parentWindow;
    gdiObject = nullptr;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExA(ModuleInstance(), className, &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = ClassWindowProc;
        windowClass.hInstance = ModuleInstance();
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW); // shared; never deleted
        windowClass.lpszClassName = className;
        if (!RegisterClassExA(&windowClass)) {
            LogError("RegisterClass(%s),error code: %d", className, GetLastError());
            return 0;
        }
    }
    // ClassWindowProc picks the object up from the creation parameter at WM_NCCREATE.
    window = CreateWindowExA(exStyle, className, "", style, x, y, width, height, parentWindow,
                             menuOrId, ModuleInstance(), this);
    return window ? 1 : 0;
}

void WindowObject::Destroy() {
    if (!IsWindow(window))
        return;
    if (gdiObject)
        DeleteObject(gdiObject);
    if (prevWndProc)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prevWndProc));
    // Refused while the window exists (and always for a dialog's class), so
    // registered classes stay for the process; kept so that an idle class may go.
    char className[256];
    if (GetClassNameA(window, className, sizeof(className)))
        UnregisterClassA(className, ModuleInstance());
    DestroyWindow(window);
}

BOOL WindowObject::SetTextFromResource(int stringId) {
    return SetWindowTextA(window, ResourceText(stringId));
}

void WindowObject::SetIcon(int iconId, int small) {
    HICON icon = LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(iconId));
    Send(WM_SETICON, small ? ICON_SMALL : ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

LRESULT WindowObject::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(window, msg, wParam, lParam);
}

BOOL WindowObject::Place(int x, int y, int width, int height, int sizeOnly) {
    return PlaceWindow(window, x, y, width, height, sizeOnly);
}

// A window is bound to its object once, by the message that its real creation
// sends first: WM_NCCREATE with the object in the creation record, or a
// dialog's WM_INITDIALOG with the object as its parameter. Any program can send
// those messages again; to a bound window they change nothing: a repeated
// WM_INITDIALOG is answered without initialising the dialog a second time, and
// a repeated WM_NCCREATE gets no default processing either, which would read
// the sender's creation record (null, or an address in another process).
LRESULT CALLBACK ClassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LONG_PTR bound = GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    if (msg == WM_NCCREATE && bound)
        return TRUE;
    if (msg == WM_NCCREATE && lParam) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (msg == WM_INITDIALOG) {
        if (bound)
            return 0;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
    }
    auto* object = reinterpret_cast<WindowObject*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    // Messages before the object is known (a dialog's before WM_INITDIALOG) get
    // no default processing of their own.
    if (!object)
        return 0;
    if (!object->window)
        object->window = hwnd;
    return object->WindowProc(hwnd, msg, wParam, lParam);
}
