#include "editor/AboutDialog.h"

#include "editor/MailLink.h"
#include "res/resource.h"
#include "support/TextServices.h"

// Only IDOK ends the box; the command is not forwarded to the main window,
// which would treat IDCANCEL as the end of the program.
LRESULT AboutDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (wParam == IDOK)
        Finish();
    return 0;
}

LRESULT AboutDialog::OnInitDialog() {
    SetTextFromResource(IDS_ABOUT_TITLE);
    theMailLink.AttachToControl(window, IDC_MAIL, IDS_MAIL_TEXT, IDS_MAIL_URL);
    return 1; // the platform sets the default focus
}

void AboutDialog::Finish() {
    EndDialog(window, 0);
}

void ShowAboutBox(WindowObject* parent) {
    AboutDialog about;
    about.RunModal(parent, IDD_ABOUT);
}

void AddAboutToSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kAboutSystemCommand, ResourceText(IDS_ABOUT_TITLE));
}
