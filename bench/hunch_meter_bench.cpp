// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the time of one hunch meter reading and of one binomial tail, for
// blind guess counts from 20 to 10^7, near the mean (the most terms to sum)
// and far out. With --tails it instead reads "n k" lines and prints
// "n k P(X>=k) P(X<=k)" for X ~ Binomial(n, 1/6), for an outside check.
#include "binomial.h"
#include "hunch_meter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

namespace {

constexpr double luck = 1.0 / 6.0;

// Median over 31 batches of the time per call, in microseconds; a batch lasts
// about a millisecond or more.
template <typename Call> double microsecondsPerCall(Call call) {
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

int printTails() {
    std::int64_t n = 0, k = 0;
    while (std::cin >> n >> k)
        std::printf("%lld %lld %.17g %.17g\n", static_cast<long long>(n), static_cast<long long>(k),
                    game::binomialUpperTail(n, k, luck), game::binomialLowerTail(n, k, luck));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--tails") == 0)
        return printTails();
    volatile double sink = 0;
    std::printf("%9s %9s  %12s %12s %12s\n", "n", "k", "reading us", "P(X>=k) us", "P(X<=k) us");
    for (std::int64_t n : {20, 1000, 100000, 1000000, 10000000}) {
        const double mean = static_cast<double>(n) * luck;
        const double sd = std::sqrt(mean * (1 - luck));
        // Just above the mean, where the most terms count; then 5 and 20
        // standard deviations above it.
        for (double z : {0.0, 5.0, 20.0}) {
            const auto k = std::min(n, static_cast<std::int64_t>(std::floor(mean + z * sd)) + 1);
            game::HunchMeter meter;
            for (std::int64_t i = 0; i < n; ++i)
                meter.blindGuess(i < k);
            const double reading = microsecondsPerCall([&] { sink = meter.reading().size(); });
            const double upper =
                microsecondsPerCall([&] { sink = game::binomialUpperTail(n, k, luck); });
            const double lower =
                microsecondsPerCall([&] { sink = game::binomialLowerTail(n, k, luck); });
            std::printf("%9lld %9lld  %12.3f %12.3f %12.3f\n", static_cast<long long>(n),
                        static_cast<long long>(k), reading, upper, lower);
        }
    }
    return 0;
}
