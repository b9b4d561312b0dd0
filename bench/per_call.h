// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The time of one call, for the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// Median over 31 batches of the time per call, in microseconds; a batch lasts
// about a millisecond or more.
template <typename Call> inline double microsecondsPerCall(Call call) {
    using Clock = std::chrono::steady_clock;
    int batch = 1;
    for (;;) {
        const auto start = Clock::now();
        for (int i = 0; i < batch; ++i)
            call();
        if (Clock::now() - start > std::chrono::milliseconds(1) || batch >= (1 << 20))
            break;
        batch *= 2;
    }
    std::vector<double> times;
    for (int run = 0; run < 31; ++run) {
        const auto start = Clock::now();
        for (int i = 0; i < batch; ++i)
            call();
        const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
        times.push_back(elapsed.count() / batch);
    }
    std::nth_element(times.begin(), times.begin() + 15, times.end());
    return times[15];
}
