// Shared pieces of the editor tests: a scratch directory, files written byte by
// byte without the program's own writers, and a watcher that answers the
// message boxes the editor shows while a test drives it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../files/ScratchDirectory.h"

// A block file of the given height (29: logo, 49: screensaver) with ink
// exactly at the listed (column, row) cells.
std::vector<uint8_t> BlockFileBytes(int height, const std::vector<std::pair<int, int>>& ink);

// A 1-bit 101 x height bitmap whose columns 0 to 49 are black, the rest white.
std::vector<uint8_t> HalfBlackBitmapBytes(int height);

// Closes every message box owned by `owner` that appears while it lives, and
// remembers what the boxes said. Thread timers keep firing inside the modal
// loop of a message box, so the box is answered from within that loop.
class MessageBoxWatch {
public:
    // Each box is answered with `answer` (IDOK, or IDYES, IDNO, IDCANCEL for a question).
    explicit MessageBoxWatch(HWND owner, int answer = IDOK);
    ~MessageBoxWatch();

    int count = 0;
    std::string caption;
    std::string text;
    bool errorIcon = false;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK CloseIfBox(HWND window, LPARAM);
    HWND owner_;
    int answer_;
    HWND answered_ = nullptr;  // a box already answered, which may linger a moment
    UINT_PTR timer_;
};

// The program makes its main window once; these tests make it again and again.
// A window object only adopts a new window while its handle field is 0, so the
// canvas object must forget the window that died with the previous main window.
void ForgetCanvasWindow();

// Dispatches whatever is waiting in this thread's queue.
void PumpMessages();
