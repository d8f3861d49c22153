// Times the start of a program until its window is on screen, and until it
// has ended after being asked to close, as the median of several runs.
//
//   bench_start PROGRAM "WINDOW TITLE" RUNS
//
// Prints: "<ms to window shown> <ms to exit after close>".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchTimer.h"

namespace {

// The visible top-level window of the title, or 0 after timeoutMs.
HWND WaitForWindow(const char* title, DWORD timeoutMs) {
    DWORD end = GetTickCount() + timeoutMs;
    while (GetTickCount() < end) {
        HWND window = FindWindowA(nullptr, title);
        if (window && IsWindowVisible(window)) return window;
        Sleep(1);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: bench_start PROGRAM TITLE RUNS\n");
        return 2;
    }
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    int runs = atoi(argv[3]);
    std::vector<double> shown, ended;
    for (int run = 0; run < runs; ++run) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        double start = NowMicroseconds();
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            fprintf(stderr, "bench_start: cannot start %s (%lu)\n", argv[1], GetLastError());
            return 1;
        }
        HWND window = WaitForWindow(argv[2], 20000);
        double visible = NowMicroseconds();
        if (!window) {
            fprintf(stderr, "bench_start: no window \"%s\" appeared\n", argv[2]);
            TerminateProcess(process.hProcess, 1);
            return 1;
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
        WaitForSingleObject(process.hProcess, 20000);
        double exited = NowMicroseconds();
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        shown.push_back((visible - start) / 1000);
        ended.push_back((exited - visible) / 1000);
    }
    printf("%.1f %.1f\n", Median(shown), Median(ended));
    return 0;
}
