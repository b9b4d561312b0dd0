// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

namespace game {

// The rates of right blind guesses at which the hunch meter states odds of 1
// in 10^log10Odds or rarer: a band above luck that narrows as guesses add up.

// Stands for a rate the meter cannot reach, even with every guess right.
inline constexpr double unreachableRate = 2;

// The fewest right of `guesses` blind guesses at which the meter states at
// least 1 in 10^log10Odds, or -1 when even all of them right is too few.
std::int64_t rightNeeded(std::int64_t guesses, double log10Odds);

// The rate of right guesses the meter needs for those odds after `guesses`,
// or unreachableRate.
double rateNeeded(std::int64_t guesses, double log10Odds);

// The highest rate the meter needs for those odds at any of the guesses
// first..last, to within `tolerance`, or unreachableRate.
double highestRateNeeded(std::int64_t first, std::int64_t last, double log10Odds, double tolerance);

// The first of these blind guesses (outcomes: true for a right one, in order)
// after which the meter states at least 1 in 10^log10Odds, counted from 1; 0
// when it never does. Reads the meter at a few guesses only, however many.
std::int64_t firstStating(const std::vector<bool>& outcomes, double log10Odds);

} // namespace game
