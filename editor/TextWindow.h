// TextWindow: the modal window of Text...: a text of one or more lines, a
// font size ("Automatic" or one of the font's sizes) and the bold face. OK
// draws the text's ink into the picture, laid out as pixmint-convert --text
// lays it out at the picture's current size, as one step; text that does not
// fit, or a character the font lacks, is said in a message box and the window
// stays open with the text.
#pragma once

#include <windows.h>

#include "ui/framework/DialogObject.h"

class TextWindow : public DialogObject {
  public:
    LRESULT OnInitDialog() override;
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam) override;

  private:
    // 1 when the text is in the picture; 0 after telling the user why not.
    int PlaceText();
};

// Shows the text window over parent; 1 when it put text into the picture.
int ShowTextWindow(WindowObject* parent);
