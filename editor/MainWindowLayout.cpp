#include "editor/MainWindowLayout.h"

#include "res/resource.h"
#include "ui/framework/WindowHelpers.h"

// The credit label has no id of its own in the template: -1, like every label.
const ControlPlace kMainWindowControls[] = {
    {IDC_NEW, {7, 229, 54, 16}},
    {IDC_LOAD, {67, 229, 54, 16}},
    {IDC_SAVE, {127, 229, 54, 16}},
    {IDC_CLOSE, {187, 229, 54, 16}},
    {-1, {366, 228, 101, 18}},
    {IDC_PICTURE_SIZE, {6, 257, 462, 13}},
    {IDC_INVERT, {276, 228, 42, 18}},
};
const int kMainWindowControlCount = sizeof kMainWindowControls / sizeof kMainWindowControls[0];

void LayOutMainWindow(HWND dialog, const DialogMetrics& metrics, int dpi) {
    for (int i = 0; i < kMainWindowControlCount; ++i) {
        HWND control = GetDlgItem(dialog, kMainWindowControls[i].id);
        if (!control)
            continue;
        DialogRect pixels = DialogToPixels(kMainWindowControls[i].units, metrics, dpi);
        PlaceWindow(control, pixels.left, pixels.top, pixels.width, pixels.height, 0);
    }
}
