// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace game {

// The odds the hunch meter states for a tally of blind guesses, "1 time in
// X", as log10(X), or 0 when it states none. X is the evidence against luck
// rounded down to two significant digits (and to a power of ten from 10^15
// on), never above it, and at least 2; so for a player with no hunch the
// chance that the meter ever states 1 in X or rarer is at most 1/X, however
// often they look.
double statedOddsLog10(std::int64_t guesses, std::int64_t right);

// The tally and what it means, in one short paragraph of plain words and plain
// digits, the same in every locale; the same tally always reads the same.
std::string hunchReading(std::int64_t guesses, std::int64_t right);

// The hunch meter's tally of blind guesses, the ones made while the panel is
// black. Luck alone is right 1 time in 6.
class HunchMeter {
public:
    // A tally of this game alone.
    HunchMeter() = default;
    // A tally that goes on from a journal's earlier games: under luck their
    // blind guesses and this game's are one sequence of independent trials, so
    // the evidence simply goes on. The reading says how many games it covers.
    HunchMeter(std::int64_t earlierGames, std::int64_t guesses, std::int64_t right)
        : journal(true), games(earlierGames), guesses(guesses), rightGuesses(right) {}

    // Counts one guess: in the tally if it was blind.
    void guess(bool blind, bool right);
    // Costs microseconds at any count.
    std::string reading() const;

private:
    bool journal = false;
    bool guessedThisGame = false;
    std::int64_t games = 0;
    std::int64_t guesses = 0;
    std::int64_t rightGuesses = 0;
};

} // namespace game
