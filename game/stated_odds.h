// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace game {

// The odds that a reading states for evidence E against a null hypothesis,
// an e-value given as ln E: "1 time in X" as log10(X), or 0 when it states
// none. X is E rounded down to two significant digits (and to a power of ten
// from 10^15 on), never above it, and at least 2; so where E is a nonnegative
// martingale that starts at 1, the chance that the reading ever states 1 in X
// or rarer is at most 1/X, however often it is looked at.
double statedOddsLog10(double logEvidence);

// Stated odds for the ear as much as the eye: "140", "2700", "3.4 million",
// "10 to the power 16".
std::string oddsText(double log10Odds);

// value with at most `decimals` decimals, trailing zeros dropped: "35",
// "16.7", the same in every locale.
std::string decimal(double value, int decimals);

// part of whole as a percentage with one decimal, "16.7%", never "0%" or
// "100%" for a share that is neither. whole must be above 0.
std::string percent(std::int64_t part, std::int64_t whole);

} // namespace game
