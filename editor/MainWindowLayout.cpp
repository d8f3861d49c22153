#include "editor/MainWindowLayout.h"

#include "res/resource.h"
#include "ui/framework/WindowHelpers.h"

// The credit label has no id of its own in the template: -1, the first
// control with it.
const ControlPlace kMainWindowControls[] = {
    {IDC_NEW, {7, 229, 54, 16}},
    {IDC_LOAD, {67, 229, 54, 16}},
    {IDC_SAVE, {127, 229, 54, 16}},
    {IDC_CLOSE, {187, 229, 54, 16}},
    {-1, {366, 228, 101, 18}},
    {IDC_PICTURE_SIZE, {6, 257, 462, 13}},
    {IDC_INVERT, {276, 228, 42, 18}},
    {IDC_TOOL_PEN, {kStripLeft, 44, 110, 14}},
    {IDC_TOOL_LINE, {kStripLeft, 59, 110, 14}},
    {IDC_TOOL_RECTANGLE, {kStripLeft, 74, 110, 14}},
    {IDC_TOOL_FILLED_RECTANGLE, {kStripLeft, 89, 110, 14}},
    {IDC_TOOL_ELLIPSE, {kStripLeft, 104, 110, 14}},
    {IDC_TOOL_FILLED_ELLIPSE, {kStripLeft, 119, 110, 14}},
    {IDC_TOOL_FILL, {kStripLeft, 134, 110, 14}},
    {IDC_TEXT, {kStripLeft, 153, 110, 14}},
    {IDC_MOVE_LABEL, {kStripLeft, 173, 110, 8}},
    {IDC_SHIFT_LEFT, {kStripLeft, 183, 54, 14}},
    {IDC_SHIFT_RIGHT, {538, 183, 54, 14}},
    {IDC_SHIFT_UP, {kStripLeft, 198, 54, 14}},
    {IDC_SHIFT_DOWN, {538, 198, 54, 14}},
    {IDC_MIRROR_LEFT_RIGHT, {kStripLeft, 216, 110, 14}},
    {IDC_MIRROR_TOP_BOTTOM, {kStripLeft, 231, 110, 14}},
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
