// Resource ids of the window framework tests (kept clear of the program's own).
#pragma once

#define IDD_FW_BUTTONS 9101   // OK and Cancel buttons
#define IDD_FW_NO_CANCEL 9102 // a static text only, no control with id 2
#define IDD_FW_MISSING 9199   // no such template
#define IDI_FW_TEST 9120
#define IDS_FW_TITLE 9130
#define IDR_FW_ACCEL 9140
#define IDM_FW_ACCEL_COMMAND 9141
