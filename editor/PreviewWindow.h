// PreviewWindow: the picture at its real size, one screen pixel per cell, in
// the canvas's colours, beside the canvas. It paints from the picture itself,
// so a repaint after each change keeps it equal to the picture.
#pragma once

#include <windows.h>

#include "ui/framework/WindowObject.h"

constexpr const char* kPreviewClassName = "PixmintPreview";

class PreviewWindow : public WindowObject {
  public:
    // Creates the preview as a child of parent with its top-left corner at
    // (x, y), sized for the current picture. Non-zero when the window exists.
    int Create(WindowObject* parent, int x, int y);
    // Fits the window to the current picture size and repaints it.
    void Resize();
    // Moves the top-left corner to (x, y), as Resize fits it: after the parent
    // was laid out again at another display scale. The size stays one pixel a
    // cell at every scale.
    void MoveTo(int x, int y);
    // Paints the picture again, soon (the platform merges repeated calls).
    void Refresh();

    void OnPaint(HWND hwnd) override;

  private:
    int x_ = 0;
    int y_ = 0;
};

extern PreviewWindow thePreview;
