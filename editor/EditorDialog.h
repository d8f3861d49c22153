// The main editor window: a modeless dialog (template 102) with the canvas
// above a row of buttons. Its command handler is where New, Invert, the size
// switch, Load..., Save... and Close meet the picture and the files.
#pragma once

#include <windows.h>

#include "ui/framework/DialogObject.h"

class EditorDialog : public DialogObject {
public:
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The About... item of the system menu runs command IDM_ABOUT.
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog() override;
    // Ends the program: posts the quit message with exit code 0.
    virtual void Finish();

    // What Load... and Save... do once the file chooser has delivered a path.
    void LoadFrom(const char* path);
    void SaveTo(const char* path);

private:
    void OnNew();
    void OnInvert();
    void OnSizeSwitch();
    void OnLoad();
    void OnSave();

    int ClientWidth();
    void ResizeCanvas();
    void Repaint();
};
