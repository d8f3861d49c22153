#include "EditorTestSupport.h"

#include <cstring>

#include "editor/CanvasWindow.h"

namespace {

MessageBoxWatch* activeWatch = nullptr;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> BlockFileBytes(int height, const std::vector<std::pair<int, int>>& ink) {
    std::vector<uint8_t> bytes;
    if (height == 29)
        bytes = {0xFF, 0xFF, 0x00, 0x00, 0x52, 0xF0, 0x50, 0xFF,
                 0x65, 0x1D, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    else
        bytes = {0x00, 0x00, 0x65, 0x31, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    size_t rows = bytes.size();
    bytes.resize(rows + size_t(height) * 13, 0);
    for (auto [column, row] : ink) bytes[rows + row * 13 + column / 8] |= uint8_t(0x80 >> (column % 8));
    return bytes;
}

std::vector<uint8_t> HalfBlackBitmapBytes(int height) {
    const uint32_t stride = 16;  // 101 bits, padded to whole 32-bit words
    const uint32_t pixelOffset = 14 + 40 + 8;
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, pixelOffset + stride * height);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, 40);  // BITMAPINFOHEADER
    Put32(out, 101);
    Put32(out, uint32_t(height));  // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, 0);
    Put32(out, stride * height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 2);
    Put32(out, 0);
    Put32(out, 0x00000000);  // palette 0: black
    Put32(out, 0x00FFFFFF);  // palette 1: white
    for (int row = 0; row < height; ++row) {
        uint8_t line[stride] = {};
        for (int column = 50; column < 101; ++column) line[column / 8] |= uint8_t(0x80 >> (column % 8));
        out.insert(out.end(), line, line + stride);
    }
    return out;
}

MessageBoxWatch::MessageBoxWatch(HWND owner, int answer) : owner_(owner), answer_(answer) {
    activeWatch = this;
    timer_ = SetTimer(nullptr, 0, 20, OnTimer);
}

MessageBoxWatch::~MessageBoxWatch() {
    KillTimer(nullptr, timer_);
    activeWatch = nullptr;
}

void CALLBACK MessageBoxWatch::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (activeWatch != nullptr) EnumThreadWindows(GetCurrentThreadId(), CloseIfBox, 0);
}

BOOL CALLBACK MessageBoxWatch::CloseIfBox(HWND window, LPARAM) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") != 0 || GetWindow(window, GW_OWNER) != activeWatch->owner_ ||
        !IsWindowVisible(window) || window == activeWatch->answered_)
        return TRUE;
    activeWatch->answered_ = window;
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    activeWatch->caption = buffer;
    activeWatch->text.clear();
    HICON errorIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32513));  // IDI_HAND
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GetClassNameA(child, className, sizeof className);
        if (_stricmp(className, "Static") != 0) continue;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            activeWatch->errorIcon |= HICON(SendMessageA(child, STM_GETICON, 0, 0)) == errorIcon;
        } else {
            GetWindowTextA(child, buffer, sizeof buffer);
            if (buffer[0] != '\0') activeWatch->text = buffer;
        }
    }
    ++activeWatch->count;
    PostMessageA(window, WM_COMMAND, activeWatch->answer_, 0);
    return TRUE;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void ForgetCanvasWindow() {
    theCanvas.window = nullptr;
}
