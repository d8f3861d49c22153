// Resource and control ids, shared by the resource script and the code.
#pragma once

// Dialog templates
#define IDD_ABOUT 100
#define IDD_MAIN 102

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

// Controls of the About box
#define IDC_MAIL 1019

// Commands without a control
#define IDM_ABOUT 110
#define IDM_UNDO 111
#define IDM_REDO 112
#define IDM_COPY 113
#define IDM_PASTE 114
