// Wall-clock timing with the performance counter, for the benchmark programs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

inline double NowMicroseconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1e6 / double(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median time of one call, over `rounds` rounds of `calls` calls each, so
// that a stray slow round (a flush, a scheduling hiccup) does not count.
template <typename Operation>
double MedianMicroseconds(int rounds, int calls, Operation operation) {
    std::vector<double> perCall;
    for (int round = 0; round < rounds; ++round) {
        double start = NowMicroseconds();
        for (int call = 0; call < calls; ++call) operation(call);
        GdiFlush();
        perCall.push_back((NowMicroseconds() - start) / calls);
    }
    return Median(perCall);
}
