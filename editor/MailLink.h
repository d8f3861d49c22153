// MailLink: a static control of the About box taken over to behave as a
// hyperlink. It draws its own text, underlined while the pointer is over it,
// shows the hand cursor, and hands its mailto: URL to the shell on a click.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/framework/SubclassRecord.h"
#include "ui/framework/WindowObject.h"

class MailLink : public WindowObject {
  public:
    HFONT normalFont;     // the link font; none until AttachToControl
    HFONT underlinedFont; // the same font underlined; none until AttachToControl
    HCURSOR handCursor;   // shared system cursor, never destroyed
    char linkText[256];
    char linkUrl[256];
    SubclassRecord subclass;

    MailLink();
    ~MailLink() override;

    void OnPaint(HWND hwnd) override;
    void OnMouseMove(WPARAM keys, UINT x, UINT y) override;
    void OnLButtonDown(WPARAM keys, UINT x, UINT y) override;

    // Takes over control controlId of the dialog, with the string-table texts
    // textId (shown) and urlId (opened; 0 means the shown text). Each call
    // replaces the fonts of the previous one.
    void AttachToControl(HWND dialog, int controlId, int textId, int urlId);

  private:
    void DeleteFonts();
    // Makes the control at least as tall as a line of the link's font.
    void FitHeightToFont();
};

// 1 while the pointer is over the link. Closing the box does not reset it, so a
// box opened again after closing under the pointer starts underlined.
extern int32_t linkHovered;

// 1 if the client point (x, y) of window lies inside the window's rectangle
// (right and bottom edges excluded), else 0.
int PointInWindow(HWND window, int x, int y);

extern MailLink theMailLink;
