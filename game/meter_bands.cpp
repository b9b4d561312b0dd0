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

// Each guess adds at most one right, and the number the meter needs never
// falls: while `needed - right` is d, no guess before the d-th next can
// reach the odds, so the walk reads the meter only where one might. From
// one reading to the next, `g` guesses on, the number needed grows by at most
// g (each hit only strengthens the evidence): a search in that range finds it.
std::int64_t firstStating(const std::vector<bool>& outcomes, double log10Odds) {
    const auto guesses = std::int64_t(outcomes.size());
    std::int64_t right = 0, needed = -1, readAt = 0, next = 1;
    for (std::int64_t guess = 1; guess <= guesses; ++guess) {
        right += outcomes[std::size_t(guess - 1)] ? 1 : 0;
        if (guess < next)
            continue;
        if (needed < 0) {
            needed = rightNeeded(guess, log10Odds);
        } else {
            std::int64_t low = needed, high = needed + (guess - readAt);
            while (low < high) {
                const std::int64_t middle = low + (high - low) / 2;
                if (enough(guess, middle, log10Odds))
                    high = middle;
                else
                    low = middle + 1;
            }
            needed = high;
        }
        readAt = guess;
        if (needed >= 0 && right >= needed)
            return guess;
        next = needed < 0 ? guess + 1 : guess + (needed - right);
    }
    return 0;
}

} // namespace game
