// AboutDialog: the modal About box (template 100) with the program icon, the
// credits, OK and the mail link. OK and Enter close it, and so does its close
// box; Esc does not.
#pragma once

#include <windows.h>

#include "ui/framework/DialogObject.h"

class AboutDialog : public DialogObject {
  public:
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog() override;
    // Ends the box with code 0.
    virtual void Finish();
};

// Shows the About box over parent and returns when it has been closed.
void ShowAboutBox(WindowObject* parent);

// The system-menu item that opens the About box. System commands carry their
// own flags in the low four bits, and ids from 0xF000 up belong to the system.
constexpr UINT kAboutSystemCommand = 0x0110;
static_assert((kAboutSystemCommand & 0xF) == 0 && kAboutSystemCommand < 0xF000,
              "not a usable system-menu id");

// Appends a separator and "About..." (string 101) to window's system menu.
void AddAboutToSystemMenu(HWND window);
