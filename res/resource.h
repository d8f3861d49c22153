// Resource and control ids, shared by the resource script and the code.
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN 102
#define IDD_TEXT 103

// Strings
#define IDS_ABOUT_TITLE 101
#define IDS_OPEN_FILTER 102
#define IDS_MAIN_TITLE 103
#define IDS_SAVE_FILTER 104
#define IDS_MAIL_URL 117
#define IDS_MAIL_TEXT 118

// Accelerators of the main window
#define IDA_MAIN 200

// Icons
#define IDI_PROGRAM 128

// Controls of the main window
#define IDC_SAVE 1016
#define IDC_LOAD 1017
#define IDC_NEW 1021
#define IDC_PICTURE_SIZE 1022
#define IDC_INVERT 1023
#define IDC_CLOSE 32773
// The tool strip: one push-like radio button a tool, Pen first
#define IDC_TOOL_PEN 1030
#define IDC_TOOL_LINE 1031
#define IDC_TOOL_RECTANGLE 1032
#define IDC_TOOL_FILLED_RECTANGLE 1033
#define IDC_TOOL_ELLIPSE 1034
#define IDC_TOOL_FILLED_ELLIPSE 1035
#define IDC_TOOL_FILL 1036
#define IDC_TEXT 1037
// Moving and mirroring the picture
#define IDC_SHIFT_LEFT 1040
#define IDC_SHIFT_RIGHT 1041
#define IDC_SHIFT_UP 1042
#define IDC_SHIFT_DOWN 1043
#define IDC_MIRROR_LEFT_RIGHT 1044
#define IDC_MIRROR_TOP_BOTTOM 1045
// The label above the moving buttons, which the layout moves with the rest
#define IDC_MOVE_LABEL 1046

// Controls of the text window
#define IDC_TEXT_EDIT 1050
#define IDC_TEXT_SIZE 1051
#define IDC_TEXT_BOLD 1052

// Controls of the About box
#define IDC_MAIL 1019

// Commands without a control
#define IDM_ABOUT 110
#define IDM_UNDO 111
#define IDM_REDO 112
#define IDM_COPY 113
#define IDM_PASTE 114
// Esc: drops a shape being dragged, else Close
#define IDM_ESCAPE 115
