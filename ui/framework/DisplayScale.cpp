#include "ui/framework/DisplayScale.h"

namespace {

using DpiForWindowFunction = UINT(WINAPI*)(HWND);

// Found at run time: the systems before Windows 10 lack it.
DpiForWindowFunction DpiForWindow() {
    HMODULE user = GetModuleHandleA("user32.dll");
    return reinterpret_cast<DpiForWindowFunction>(
        reinterpret_cast<void (*)()>(user ? GetProcAddress(user, "GetDpiForWindow") : nullptr));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

int WindowDpi(HWND window) {
    DpiForWindowFunction dpiForWindow = DpiForWindow();
    int dpi = dpiForWindow ? int(dpiForWindow(window)) : 0;
    if (dpi <= 0)
        dpi = SystemDpi();
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

DialogMetrics MeasureDialog(HWND dialog) {
    DialogMetrics metrics = {};
    metrics.dpi = WindowDpi(dialog);
    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    metrics.baseX = base.right;
    metrics.baseY = base.bottom;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (!font || !GetObjectA(font, sizeof metrics.font, &metrics.font))
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.font, &metrics.font);
    return metrics;
}

// The dialog manager's own rule at the dialog's scale (MulDiv rounds to the
// nearest integer), with the scale's ratio taken into the same rounding.
DialogRect DialogToPixels(const DialogRect& units, const DialogMetrics& metrics, int dpi) {
    int across = 4 * metrics.dpi;
    int down = 8 * metrics.dpi;
    return {MulDiv(units.left * metrics.baseX, dpi, across),
            MulDiv(units.top * metrics.baseY, dpi, down),
            MulDiv(units.width * metrics.baseX, dpi, across),
            MulDiv(units.height * metrics.baseY, dpi, down)};
}

HFONT CreateDialogFontForDpi(const DialogMetrics& metrics, int dpi) {
    LOGFONTA font = metrics.font;
    font.lfHeight = MulDiv(font.lfHeight, dpi, metrics.dpi);
    font.lfWidth = MulDiv(font.lfWidth, dpi, metrics.dpi);
    return CreateFontIndirectA(&font);
}

void SetFontOfChildren(HWND dialog, HFONT font) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
