// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hunch_meter.h"

#include "evidence.h"
#include "stated_odds.h"

namespace game {

double statedOddsLog10(std::int64_t guesses, std::int64_t right) {
    return statedOddsLog10(logEvidence(guesses, right));
}

std::string hunchReading(std::int64_t guesses, std::int64_t right) {
    if (guesses == 0)
        return "No blind guesses yet. Only guesses made while the panel is black count for the "
               "hunch meter.";
    std::string text = "Blind guesses: " + std::to_string(guesses) +
                       ", right: " + std::to_string(right) + " (" + percent(right, guesses) +
                       "). Luck alone: 1 in 6 (16.7%). ";
    if (const double odds = statedOddsLog10(guesses, right); odds > 0)
        return text + "Luck alone gives a reading this strong at most 1 time in " + oddsText(odds) +
               ", however often you look.";
    if (6 * right > guesses)
        return text + "Too little evidence yet to tell a hunch from luck.";
    return text + "No better than luck so far.";
}

void HunchMeter::guess(bool blind, bool right) {
    guessedThisGame = true;
    if (!blind)
        return;
    ++guesses;
    if (right)
        ++rightGuesses;
}

std::string HunchMeter::reading() const {
    const std::int64_t covered = games + (guessedThisGame ? 1 : 0);
    if (!journal || covered == 0)
        return hunchReading(guesses, rightGuesses);
    return "In " + std::to_string(covered) + (covered == 1 ? " game: " : " games: ") +
           hunchReading(guesses, rightGuesses);
}

} // namespace game
