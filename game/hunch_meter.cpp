// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hunch_meter.h"

#include "evidence.h"

#include <cmath>

namespace game {

namespace {

// The smallest odds worth stating: 1 in 2.
constexpr double fewestOdds = 2;
// The stated odds stay below the evidence by more than its rounding error,
// which at 10^7 guesses is some 1e-9 of it.
constexpr double roundingMargin = 1e-6;

// value with at most `decimals` decimals, trailing zeros dropped: "35",
// "16.7". Integer arithmetic keeps it free of the locale's decimal comma.
std::string decimal(double value, int decimals) {
    std::int64_t unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    std::int64_t scaled = std::llround(value * static_cast<double>(unit));
    while (decimals > 0 && scaled % 10 == 0) {
        scaled /= 10;
        unit /= 10;
        --decimals;
    }
    std::string text = std::to_string(scaled / unit);
    if (decimals > 0) {
        std::string fraction = std::to_string(scaled % unit + unit);
        text += "." + fraction.substr(1);
    }
    return text;
}

// Odds for the ear as much as the eye, from their common logarithm: "140",
// "2700", "3.4 million", "10 to the power 16". Below 10^15 they are whole
// numbers of at most two significant digits, so the text shows them exactly.
std::string oddsText(double log10Odds) {
    if (log10Odds >= 15)
        return "10 to the power " + std::to_string(std::lround(log10Odds));
    const double odds = std::round(std::pow(10.0, log10Odds));
    if (odds < 1e6)
        return decimal(odds, 0);
    if (odds < 1e9)
        return decimal(odds / 1e6, 1) + " million";
    if (odds < 1e12)
        return decimal(odds / 1e9, 1) + " billion";
    return decimal(odds / 1e12, 1) + " trillion";
}

} // namespace

double statedOddsLog10(std::int64_t guesses, std::int64_t right) {
    const double log10Evidence = (logEvidence(guesses, right) - roundingMargin) / std::log(10.0);
    if (log10Evidence < std::log10(fewestOdds))
        return 0;
    const double digits = std::floor(log10Evidence);
    if (digits >= 15)
        return digits;
    // Two significant digits, rounded down: 2 to 99 whole, then 100, 110, ...
    const double unit = digits < 2 ? 1 : std::pow(10.0, digits - 1);
    return std::log10(std::floor(std::pow(10.0, log10Evidence) / unit) * unit);
}

std::string hunchReading(std::int64_t guesses, std::int64_t right) {
    if (guesses == 0)
        return "No blind guesses yet. Only guesses made while the panel is black count for the "
               "hunch meter.";
    // Never "0%" or "100%" for a rate that is neither.
    std::int64_t tenths = std::llround(1000.0 * double(right) / double(guesses));
    if (right > 0 && tenths == 0)
        tenths = 1;
    if (right < guesses && tenths == 1000)
        tenths = 999;
    std::string text = "Blind guesses: " + std::to_string(guesses) +
                       ", right: " + std::to_string(right) + " (" +
                       decimal(double(tenths) / 10, 1) + "%). Luck alone: 1 in 6 (16.7%). ";
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
