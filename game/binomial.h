// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace game {

// The tails of X ~ Binomial(n, p) for 0 <= n <= 2^53 and 0 < p < 1, to a
// relative error within 1e-11 up to n = 10^7 and 1e-10 up to 10^9 wherever
// the result is a normal double (bench/check_tails.py measures it); smaller
// results may come out as 0. Any k is accepted: the tail of an empty
// range is 0, of the whole range 1. The cost grows like sqrt(n): about 10^4
// cheap steps at n = 10^7 near the mean.

// P(X >= k).
double binomialUpperTail(std::int64_t n, std::int64_t k, double p);
// P(X <= k).
double binomialLowerTail(std::int64_t n, std::int64_t k, double p);

} // namespace game
