// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the time of one hunch meter reading for blind guess counts from 20
// to 10^7, at luck's rate and above it. With --readings it instead reads
// "N K" lines and prints the meter's reading for N blind guesses with K
// right, one line each, for an outside check (bench/check_meter.py).
#include "hunch_meter.h"
#include "per_call.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

// Answers each line as it comes, and flushes whenever no more input waits,
// so that a checker can ask a step at a time over a pipe.
int printReadings() {
    std::ios::sync_with_stdio(false);
    std::int64_t n = 0, k = 0;
    std::string out;
    while (std::cin >> n >> k) {
        if (n < 0 || k < 0 || k > n) {
            std::fprintf(stderr, "tavelquin_meter_bench: no tally has %lld right of %lld\n",
                         static_cast<long long>(k), static_cast<long long>(n));
            return 2;
        }
        out += game::hunchReading(n, k);
        out += '\n';
        if (std::cin.rdbuf()->in_avail() <= 1) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            std::fflush(stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--readings") == 0)
        return printReadings();
    volatile std::size_t sink = 0;
    std::printf("%9s %9s  %12s\n", "n", "k", "reading us");
    for (std::int64_t n : {20, 1000, 100000, 1000000, 10000000}) {
        const double mean = static_cast<double>(n) / 6;
        const double sd = std::sqrt(mean * 5 / 6);
        // At luck's rate, and 5 and 20 standard deviations above it.
        for (double z : {0.0, 5.0, 20.0}) {
            const auto k = std::min(n, static_cast<std::int64_t>(std::floor(mean + z * sd)) + 1);
            const double reading =
                microsecondsPerCall([&] { sink = game::hunchReading(n, k).size(); });
            std::printf("%9lld %9lld  %12.3f\n", static_cast<long long>(n),
                        static_cast<long long>(k), reading);
        }
    }
    return 0;
}
