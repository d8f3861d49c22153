// DialogObject: a window object built from a dialog template. The platform's
// dialog manager does the default processing, so DefaultProc answers 0.
#pragma once

#include "ui/framework/WindowObject.h"

class DialogObject : public WindowObject {
  public:
    DialogObject();
    ~DialogObject() override;

    void OnClose(INT_PTR code) override;
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNcHitTest(UINT x, UINT y) override;

    // Creates the dialog without a loop of its own. 1 if it exists, 0 if not.
    int CreateModeless(WindowObject* parent, int templateId);
    // Runs the dialog modally; the code given to EndDialog, or the platform's
    // failure value (-1 or 0) when the dialog cannot be made.
    INT_PTR RunModal(WindowObject* parent, int templateId);
};
