#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tavelquin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks the binomial tails that tavelquin_meter_bench --tails prints against
values computed here independently, for X ~ Binomial(n, 1/6): exact integer
sums for n up to 10^5, and 60-digit decimal sums for n = 10^5, 10^6, 10^7 and
10^9 (ln n! from Stirling's series with Bernoulli numbers, exactly below 2000).
Prints the worst relative error over the tails that are normal doubles, and
exits 1 when it is above 1e-9. Takes about a minute.

Usage: bench/check_tails.py build/release/bench/tavelquin_meter_bench
"""
import math
import subprocess
import sys
from decimal import Decimal, getcontext
from fractions import Fraction

getcontext().prec = 60
PI = Decimal("3.14159265358979323846264338327950288419716939937510582097494459")
BERNOULLI = [Fraction(1, 6), Fraction(-1, 30), Fraction(1, 42), Fraction(-1, 30),
             Fraction(5, 66), Fraction(-691, 2730), Fraction(7, 6), Fraction(-3617, 510)]
SMALLEST_NORMAL = 2.2250738585072014e-308


def spread(n):
    """k = 0, 1, n - 1, n and from the mean to 37 standard deviations out."""
    mean, sd = n / 6, math.sqrt(n * 5 / 36)
    ks = {0, 1, n - 1, n}
    for z in (0, 0.5, 1, 5, 20, 30, 35, 37, -0.5, -1, -5, -20, -30, -35):
        ks.add(min(n, max(0, math.floor(mean + z * sd))))
    return ks


def exact_tails(n, ks):
    """{k: (P(X >= k), P(X <= k))} from the whole numbers C(n, j) 5^(n - j)."""
    whole, term, below, tails = 6 ** n, 5 ** n, 0, {}
    for j in range(n + 1):
        if j in ks:
            tails[j] = (Decimal(whole - below) / whole, Decimal(below + term) / whole)
        below += term
        term = term * (n - j) // (5 * (j + 1))
    return tails


def ln_factorial(m):
    if m < 2000:
        return Decimal(math.factorial(m)).ln()
    x = Decimal(m)
    series = sum(Decimal(b.numerator) / b.denominator / (2 * j * (2 * j - 1)) / x ** (2 * j - 1)
                 for j, b in enumerate(BERNOULLI, 1))
    return (x + Decimal("0.5")) * x.ln() - x + (2 * PI).ln() / 2 + series


def far_tail(n, k, step):
    """The sum of P(X = j) from j = k outwards (step 1 up, -1 down), where the
    terms fall, until the rest is below 1e-50 of it."""
    term = (ln_factorial(n) - ln_factorial(k) - ln_factorial(n - k) - n * Decimal(6).ln()
            + (n - k) * Decimal(5).ln()).exp()
    total, j = term, k
    while 0 <= j + step <= n:
        ratio = Decimal(n - j) / (5 * (j + 1)) if step > 0 else Decimal(5 * j) / (n - j + 1)
        term *= ratio
        total += term
        j += step
        if ratio < 1 and term * ratio < Decimal("1e-50") * total * (1 - ratio):
            break
    return total


def decimal_tails(n, k):
    mode = (n + 1) // 6
    upper = 1 if k == 0 else far_tail(n, k, 1) if k >= mode else 1 - far_tail(n, k - 1, -1)
    lower = 1 if k == n else far_tail(n, k, -1) if k <= mode else 1 - far_tail(n, k + 1, 1)
    return Decimal(upper), Decimal(lower)


def main():
    cases = {}  # (method, n, k) -> (P(X >= k), P(X <= k))
    for n in list(range(1, 41)) + [100, 1000, 5000, 100000]:
        ks = set(range(n + 1)) if n <= 5000 else spread(n)
        cases.update({("exact", n, k): t for k, t in exact_tails(n, ks).items()})
    for n in (100000, 1000000, 10000000, 1000000000):
        cases.update({("decimal", n, k): decimal_tails(n, k) for k in spread(n)})
    pairs = sorted({key[1:] for key in cases})
    run = subprocess.run([sys.argv[1], "--tails"], input="".join(f"{n} {k}\n" for n, k in pairs),
                         capture_output=True, text=True, check=True)
    got = {}
    for line in run.stdout.splitlines():
        n, k, upper, lower = line.split()
        got[(int(n), int(k))] = (float(upper), float(lower))
    worst, compared = {}, 0  # order of magnitude of n -> (error, case)
    for key, tails in cases.items():
        for want, have in zip(tails, got[key[1:]]):
            if float(want) >= SMALLEST_NORMAL:
                compared += 1
                size = len(str(key[1])) - 1
                error = (float(abs(Decimal(have) - want) / want), key)
                worst[size] = max(worst.get(size, error), error)
    agreement = max(abs(cases[("decimal", n, k)][i] - cases[("exact", n, k)][i])
                    / cases[("exact", n, k)][i]
                    for (n, k) in pairs if ("decimal", n, k) in cases and ("exact", n, k) in cases
                    for i in (0, 1) if cases[("exact", n, k)][i] > 0)
    print(f"{compared} tails compared, {2 * len(cases) - compared} below the smallest normal "
          f"double skipped; decimal against exact at n = 10^5: {float(agreement):.1e} apart")
    for size, (error, key) in sorted(worst.items()):
        print(f"n from 10^{size}: worst relative error {error:.2e} at {key}")
    return 0 if max(worst.values())[0] <= 1e-9 else 1


if __name__ == "__main__":
    sys.exit(main())
