// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "binomial.h"

#include <cassert>
#include <cmath>

namespace game {

namespace {

constexpr double lnTwoPi = 1.8378770664093454835606594728112;

// ln(n!) - ln(sqrt(2 pi n) (n / e)^n) for a whole n >= 1: a table below 16,
// where the asymptotic series has not yet converged to a double, the series
// from there on.
double stirlingError(double n) {
    static constexpr double table[16] = {
        0.0, // never used: x = 0 and x = n have their own formula
        8.10614667953272582197e-2,
        4.13406959554092940938e-2,
        2.76779256849983391488e-2,
        2.07906721037650931115e-2,
        1.66446911898211921632e-2,
        1.38761288230707479987e-2,
        1.18967099458917700951e-2,
        1.04112652619720964975e-2,
        9.25546218271273291773e-3,
        8.33056343336287125647e-3,
        7.57367548795184079497e-3,
        6.94284010720952986566e-3,
        6.40899418800420706844e-3,
        5.95137011275884773562e-3,
        5.55473355196280137104e-3,
    };
    if (n < 16)
        return table[static_cast<int>(n)];
    const double n2 = n * n;
    return (1.0 / 12 - (1.0 / 360 - (1.0 / 1260 - (1.0 / 1680 - 1.0 / 1188 / n2) / n2) / n2) / n2) /
           n;
}

// x ln(x / m) + m - x for x >= 0 and m > 0; near x = m, where that form
// cancels, the series in v = (x - m) / (x + m) keeps full precision.
double deviance(double x, double m) {
    if (std::fabs(x - m) >= 0.1 * (x + m))
        return x * std::log(x / m) + m - x;
    const double v = (x - m) / (x + m), v2 = v * v;
    double sum = (x - m) * v, term = 2 * x * v;
    for (int j = 1;; ++j) {
        term *= v2;
        const double next = sum + term / (2 * j + 1);
        if (next == sum)
            return sum;
        sum = next;
    }
}

// ln P(X = x) for a whole x in [0, n], by Loader's saddle-point expansion. Its
// parts are small or well conditioned, so the result keeps its absolute
// precision where a difference of lgamma values (10^8 at n = 10^7) would not.
double logPmf(double n, double x, double p, double q) {
    if (x == 0)
        return n * std::log(q);
    if (x == n)
        return n * std::log(p);
    const double lc = stirlingError(n) - stirlingError(x) - stirlingError(n - x) -
                      deviance(x, n * p) - deviance(n - x, n * q);
    return lc - 0.5 * (lnTwoPi + std::log(x) + std::log1p(-x / n));
}

// P(X >= k) for 0 < k <= n at or above the mode, where the terms fall from
// P(X = k) on: their sum relative to P(X = k) starts at 1 and stops once the
// rest, bounded by a geometric series of the last ratio, is below 1e-17 of it.
double farUpperTail(double n, double k, double p, double q) {
    const double odds = p / q;
    double sum = 1, term = 1;
    for (double j = k; j < n; ++j) {
        const double ratio = (n - j) * odds / (j + 1);
        term *= ratio;
        sum += term;
        if (ratio < 1 && term * ratio < 1e-17 * sum * (1 - ratio))
            break;
    }
    return std::exp(logPmf(n, k, p, q) + std::log(sum));
}

// P(X >= k) given q = 1 - p; the lower tail is the upper tail of n - X, which
// swaps p and q.
double upperTail(double n, double k, double p, double q) {
    if (k <= 0)
        return 1;
    if (k > n)
        return 0;
    // Below the mode the tail is at least about 1/2, so one minus the far
    // lower tail P(X <= k - 1) = P(n - X >= n - k + 1) loses no precision.
    if (k < std::floor((n + 1) * p))
        return 1 - farUpperTail(n, n - k + 1, q, p);
    return farUpperTail(n, k, p, q);
}

} // namespace

double binomialUpperTail(std::int64_t n, std::int64_t k, double p) {
    assert(n >= 0 && p > 0 && p < 1);
    return upperTail(static_cast<double>(n), static_cast<double>(k), p, 1 - p);
}

double binomialLowerTail(std::int64_t n, std::int64_t k, double p) {
    assert(n >= 0 && p > 0 && p < 1);
    // k < 0 becomes n - k > n, even at the ends of the integer range.
    const double nd = static_cast<double>(n);
    return upperTail(nd, nd - static_cast<double>(k), 1 - p, p);
}

} // namespace game
