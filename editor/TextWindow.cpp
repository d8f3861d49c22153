#include "editor/TextWindow.h"

#include "res/resource.h"

LRESULT TextWindow::OnInitDialog() {
    return 1;
}

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

int TextWindow::PlaceText() {
    return 0;
}

int ShowTextWindow(WindowObject* parent) {
    TextWindow text;
    return text.RunModal(parent, IDD_TEXT) == 1;
}
