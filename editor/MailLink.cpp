#include "editor/MailLink.h"

#include <shellapi.h>

#include "support/TextServices.h"
#include "ui/framework/DisplayScale.h"

int32_t linkHovered = 0;

namespace {

// At 96 dots per inch; it grows with the display scale as the box does.
constexpr int kLinkFontHeight = 14;

HFONT CreateLinkFont(DWORD underline, int dpi) {
    return CreateFontA(MulDiv(kLinkFontHeight, dpi, USER_DEFAULT_SCREEN_DPI), 0, 0, 0, FW_NORMAL,
                       FALSE, underline, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial Cyr");
}

// Copies at most size - 1 characters and always terminates, so an overlong
// string-table entry is cut rather than written past the field.
void CopyText(char* target, int size, const char* source) {
    lstrcpynA(target, source, size);
}

} // namespace

int PointInWindow(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    RECT rect;
    GetWindowRect(window, &rect);
    return PtInRect(&rect, point) ? 1 : 0;
}

MailLink::MailLink() : normalFont(nullptr), underlinedFont(nullptr), linkText{}, linkUrl{} {
    handCursor = LoadCursorA(nullptr, IDC_HAND);
}

MailLink::~MailLink() {
    subclass.Detach();
    DeleteFonts();
}

void MailLink::DeleteFonts() {
    if (normalFont)
        DeleteObject(normalFont);
    if (underlinedFont)
        DeleteObject(underlinedFont);
    normalFont = nullptr;
    underlinedFont = nullptr;
}

void MailLink::AttachToControl(HWND dialog, int controlId, int textId, int urlId) {
    window = GetDlgItem(dialog, controlId);
    if (window)
        subclass.Attach(window, this, nullptr);
    if (urlId == 0)
        urlId = textId;
    // Every lookup replaces the previous result, so each text is copied at once.
    CopyText(linkText, sizeof linkText, ResourceText(textId));
    CopyText(linkUrl, sizeof linkUrl, ResourceText(urlId));
    DeleteFonts();
    int dpi = WindowDpi(dialog);
    normalFont = CreateLinkFont(FALSE, dpi);
    underlinedFont = CreateLinkFont(TRUE, dpi);
    FitHeightToFont();
}

// The template's height follows the dialog's font, the link's own font is
// taller: without this the descenders and the underline are cut, more so at
// larger display scales.
void MailLink::FitHeightToFont() {
    if (!window || !normalFont)
        return;
    HDC dc = GetDC(window);
    HGDIOBJ previousFont = SelectObject(dc, normalFont);
    TEXTMETRICA font;
    RECT client;
    if (GetTextMetricsA(dc, &font) && GetClientRect(window, &client) && client.bottom < font.tmHeight)
        Place(0, 0, client.right, font.tmHeight, 1);
    SelectObject(dc, previousFont);
    ReleaseDC(window, dc);
}

void MailLink::OnPaint(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ previousFont = SelectObject(dc, linkHovered ? underlinedFont : normalFont);
    FillRect(dc, &client, face);
    DrawTextA(dc, linkText, -1, &client, 0);
    if (previousFont)
        SelectObject(dc, previousFont);
    EndPaint(hwnd, &paint);
}

// The capture lets the link hear the move that leaves it. The flag alone does
// not prove the capture is still ours: a box closed under the pointer, or a
// mail program that took the foreground, leaves the flag set without it, and
// the link would then stay underlined for good. So a move inside takes the
// capture again whenever the link has lost it.
void MailLink::OnMouseMove(WPARAM, UINT x, UINT y) {
    int inside = PointInWindow(window, static_cast<int>(x), static_cast<int>(y));
    SetCursor(handCursor);
    if (inside) {
        if (linkHovered == 1 && GetCapture() == window)
            return;
        linkHovered = 1;
        SetCapture(window);
        InvalidateRect(window, nullptr, TRUE);
    } else {
        linkHovered = 0;
        InvalidateRect(window, nullptr, TRUE);
        ReleaseCapture();
    }
}

// A click opens the URL whatever the hover state; a missing mail program is
// the shell's business and is not reported.
void MailLink::OnLButtonDown(WPARAM, UINT, UINT) {
    ShellExecuteA(window, "open", linkUrl, nullptr, nullptr, SW_SHOWNORMAL);
}
