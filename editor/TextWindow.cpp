#include "editor/TextWindow.h"

#include <cstdint>
#include <string>
#include <vector>

#include "lettering/BitmapFont.h"
#include "lettering/TextLogo.h"
#include "picture/PictureGrid.h"
#include "picture/PictureHistory.h"
#include "res/resource.h"

namespace {

constexpr int kFontSizeCount = int(sizeof kFontSizes / sizeof kFontSizes[0]);

// The text box's characters as code points, each line break (CR LF) as '\n'.
// The box is read in UTF-16, so every character typed reaches the font as
// itself, whatever the ANSI code page holds.
std::vector<uint32_t> BoxText(HWND box) {
    std::vector<uint32_t> text;
    int length = GetWindowTextLengthW(box);
    std::vector<wchar_t> units(size_t(length) + 1);
    length = GetWindowTextW(box, units.data(), length + 1);
    for (int i = 0; i < length; ++i) {
        uint32_t unit = units[size_t(i)];
        if (unit == '\r')
            continue;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < length && units[size_t(i) + 1] >= 0xDC00 &&
            units[size_t(i) + 1] < 0xE000) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (units[size_t(i) + 1] - 0xDC00);
            ++i;
        }
        text.push_back(unit);
    }
    return text;
}

// As the converter names a character: U+ and at least four hexadecimal digits.
std::string CharacterName(uint32_t codePoint) {
    char name[16];
    wsprintfA(name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

// The reason in the converter's own words, under a line of the editor's.
void SayWhy(HWND owner, const std::string& why) {
    std::string message = "The text cannot be drawn:\n\n" + why;
    MessageBoxA(owner, message.c_str(), "Text", MB_ICONEXCLAMATION | MB_OK);
}

} // namespace

// "Automatic" first, then the font's sizes, smallest first.
LRESULT TextWindow::OnInitDialog() {
    HWND sizes = GetDlgItem(window, IDC_TEXT_SIZE);
    SendMessageA(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Automatic"));
    for (int size : kFontSizes) {
        char name[16];
        wsprintfA(name, "%d", size);
        SendMessageA(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendMessageA(sizes, CB_SETCURSEL, 0, 0);
    return 1;
}

// Only OK and Cancel end the window; nothing goes on to the main window.
LRESULT TextWindow::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK:
        if (PlaceText())
            EndDialog(window, 1);
        break;
    case IDCANCEL:
        EndDialog(window, 0);
        break;
    default:
        break;
    }
    return 0;
}

// Laid out as pixmint-convert --text lays it out at the current size, and
// refused with its words; only the ink goes into the picture.
int TextWindow::PlaceText() {
    std::vector<uint32_t> text = BoxText(GetDlgItem(window, IDC_TEXT_EDIT));
    int unknown = FindUnknownCharacter(text);
    if (unknown >= 0) {
        SayWhy(window, "the font has no character " + CharacterName(text[size_t(unknown)]) +
                           " (it has 0x20-0x7E and 0xA0-0xFF)");
        return 0;
    }
    LRESULT choice = SendDlgItemMessageA(window, IDC_TEXT_SIZE, CB_GETCURSEL, 0, 0);
    int fontSize = choice > 0 && choice <= kFontSizeCount ? kFontSizes[choice - 1] : 0;
    int bold = IsDlgButtonChecked(window, IDC_TEXT_BOLD) == BST_CHECKED;
    TextLogo logo;
    std::string error;
    if (!MakeTextLogo(text, fontSize, bold, PictureWidth(), PictureHeight(), logo, error)) {
        SayWhy(window, error);
        return 0;
    }
    // One step, when the ink changed anything.
    theHistory.Begin();
    const TextBlock& block = logo.block;
    for (int y = 0; y < block.height; ++y)
        for (int x = 0; x < block.width; ++x)
            if (block.cells[size_t(y) * block.width + x])
                SetCell(logo.left + x, logo.top + y, 1);
    theHistory.End();
    return 1;
}

int ShowTextWindow(WindowObject* parent) {
    TextWindow text;
    return text.RunModal(parent, IDD_TEXT) == 1;
}
