// Times the editor's own operations in-process, on the real main window, each
// next to the nearest thing a minimal Win32 program would do in its place.
// Prints one line per operation: name, microseconds per call, baseline, ratio.
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchTimer.h"
#include "app/AppContext.h"
#include "editor/CanvasWindow.h"
#include "editor/EditorDialog.h"
#include "picture/PictureGrid.h"
#include "res/resource.h"

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

void Report(const char* name, double editor, double baseline) {
    printf("%-34s %12.2f %12.2f %10.1f\n", name, editor, baseline, editor / baseline);
}

// The baseline of the drawing operations: one brush, one FillRect over the
// whole canvas, through a window device context.
void FillCanvasOnce(HWND canvas) {
    RECT client;
    GetClientRect(canvas, &client);
    HBRUSH brush = CreateSolidBrush(0x006FDAFD);
    HDC dc = GetDC(canvas);
    FillRect(dc, &client, brush);
    ReleaseDC(canvas, dc);
    DeleteObject(brush);
}

void WriteRaw(const std::string& path, const char* bytes, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, size, &written, nullptr);
    CloseHandle(file);
}

void ReadRaw(const std::string& path, char* bytes, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD read = 0;
    ReadFile(file, bytes, size, &read, nullptr);
    CloseHandle(file);
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    std::string saver = folder + "\\bench-saver.bin";
    std::string raw = folder + "\\bench-raw.bin";
    std::string rawInfo = folder + "\\bench-raw.bid";

    AppContext context;
    context.instance = GetModuleHandleA(nullptr);
    context.mainWindow = nullptr;
    theAppContext = &context;

    EditorDialog dialog;
    if (!dialog.CreateModeless(nullptr, IDD_MAIN)) {
        fprintf(stderr, "bench_editor: the main window could not be made\n");
        return 1;
    }
    ShowWindow(dialog.window, SW_SHOW);
    Pump();
    HWND canvas = theCanvas.window;
    // Half the cells ink, so the repaint uses both brushes.
    for (int row = 0; row < kGridRows; ++row)
        for (int column = 0; column < kGridColumns; ++column)
            SetCell(column, row, (row + column) & 1);

    printf("%-34s %12s %12s %10s\n", "operation", "editor us", "baseline us", "ratio");
    double fill = MedianMicroseconds(9, 200, [&](int) { FillCanvasOnce(canvas); });

    double repaint = MedianMicroseconds(9, 20, [&](int) {
        RedrawWindow(canvas, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    });
    Report("full repaint (4949 cells)", repaint, fill);

    SendMessageA(canvas, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    int cell = theCanvas.cellWidth;
    double move = MedianMicroseconds(9, 500, [&](int call) {
        // Back and forth along the rows: every move reaches the next cell, so
        // each one paints exactly one cell.
        int row = (call / kGridColumns) % kGridRows, column = call % kGridColumns;
        if (row & 1)
            column = kGridColumns - 1 - column;
        SendMessageA(canvas, WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM(column * cell + cell / 2, row * cell + cell / 2));
    });
    SendMessageA(canvas, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Report("painting mouse move", move, fill);

    char block[647] = {};
    char info[93] = {};
    double rawWrite = MedianMicroseconds(9, 50, [&](int) {
        WriteRaw(rawInfo, info, sizeof info);
        WriteRaw(raw, block, sizeof block);
    });
    double save = MedianMicroseconds(9, 50, [&](int) { dialog.SaveTo(saver.c_str()); });
    Report("Save of a screensaver", save, rawWrite);

    double rawRead = MedianMicroseconds(9, 50, [&](int) { ReadRaw(raw, block, sizeof block); });
    double load = MedianMicroseconds(9, 50, [&](int) { dialog.LoadFrom(saver.c_str()); });
    Report("Load of a screensaver", load, rawRead);

    DeleteFileA(saver.c_str());
    DeleteFileA((folder + "\\bench-saver.bid").c_str());
    DeleteFileA(raw.c_str());
    DeleteFileA(rawInfo.c_str());
    dialog.Destroy();
    return 0;
}
