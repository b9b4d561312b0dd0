// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter_bands.h"

#include "hunch_meter.h"

#include <algorithm>

namespace game {
namespace {

// Whether the meter states at least 1 in 10^log10Odds for this tally.
bool enough(std::int64_t guesses, std::int64_t right, double log10Odds) {
    return statedOddsLog10(guesses, right) >= log10Odds - 1e-9;
}

} // namespace

// The fewest right of `guesses` blind guesses at which the meter states at
// least 1 in 10^log10Odds, or -1 when even all of them right is too few. The
// meter's evidence grows with the number right, so a binary search finds it.
std::int64_t rightNeeded(std::int64_t guesses, double log10Odds) {
    if (!enough(guesses, guesses, log10Odds))
        return -1;
    std::int64_t low = 0, high = guesses;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (enough(guesses, middle, log10Odds))
            high = middle;
        else
            low = middle + 1;
    }
    return high;
}

// The rate of right guesses the meter needs for those odds after `guesses`.
double rateNeeded(std::int64_t guesses, double log10Odds) {
    const std::int64_t needed = rightNeeded(guesses, log10Odds);
    return needed < 0 ? unreachableRate : double(needed) / double(guesses);
}

// The highest rate the meter needs for those odds at any of the guesses
// first..last, to within `tolerance`. A guess more needs as many right or one
// more (a miss only weakens the evidence, a hit only strengthens it), so along
// the narrowing band the rate needed rises only in jumps of less than 1/first:
// where that is within tolerance the two ends tell the highest, and otherwise
// each guess is read.
double highestRateNeeded(std::int64_t first, std::int64_t last, double log10Odds,
                         double tolerance) {
    if (1 / double(first) <= tolerance)
        return std::max(rateNeeded(first, log10Odds), rateNeeded(last, log10Odds));
    std::int64_t needed = rightNeeded(first, log10Odds);
    double highest = needed < 0 ? unreachableRate : double(needed) / double(first);
    for (std::int64_t guess = first + 1; guess <= last; ++guess) {
        // The meter first states these odds with every guess right, as the
        // tally before fell short even so.
        if (needed < 0 && enough(guess, guess, log10Odds))
            needed = guess;
        else if (needed >= 0 && !enough(guess, needed, log10Odds))
            ++needed;
        if (needed >= 0)
            highest = std::max(highest, double(needed) / double(guess));
    }
    return highest;
}

// The fewest right of `guesses` at which the meter states at least 1 in
// 10^log10Odds, known to be more than `fewer`, or guesses + 1 when even all
// of them right is too few: a search that widens from there, as the number
// is mostly close above it.
std::int64_t fewestAbove(std::int64_t guesses, std::int64_t fewer, double log10Odds) {
    std::int64_t high = fewer + 1;
    for (std::int64_t step = 1; high < guesses && !enough(guesses, high, log10Odds); step *= 2) {
        fewer = high;
        high = fewer + 2 * step;
    }
    if (high >= guesses) {
        high = guesses;
        if (!enough(guesses, guesses, log10Odds))
            return guesses + 1;
    }
    while (high - fewer > 1) {
        const std::int64_t middle = fewer + (high - fewer) / 2;
        if (enough(guesses, middle, log10Odds))
            high = middle;
        else
            fewer = middle;
    }
    return high;
}

// The number the meter needs never falls as guesses add up (a miss only
// weakens the evidence), so while the tally is short of the number needed at
// the last reading it is short of the number needed now: the walk reads the
// meter only when a hit reaches that number.
std::int64_t firstStating(const std::vector<bool>& outcomes, double log10Odds) {
    const auto guesses = std::int64_t(outcomes.size());
    std::int64_t right = 0, needed = 0;
    for (std::int64_t guess = 1; guess <= guesses; ++guess) {
        right += outcomes[std::size_t(guess - 1)] ? 1 : 0;
        if (right < needed)
            continue;
        if (enough(guess, right, log10Odds))
            return guess;
        needed = fewestAbove(guess, right, log10Odds);
    }
    return 0;
}

} // namespace game
