// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stated_odds.h"

#include <cmath>

namespace game {

namespace {

// The smallest odds worth stating: 1 in 2.
constexpr double fewestOdds = 2;
// The stated odds stay below the evidence by more than its rounding error,
// which at 10^7 blind guesses or secrets is 3e-8 of it or less.
constexpr double roundingMargin = 1e-6;

} // namespace

double statedOddsLog10(double logEvidence) {
    const double log10Evidence = (logEvidence - roundingMargin) / std::log(10.0);
    if (log10Evidence < std::log10(fewestOdds))
        return 0;
    const double digits = std::floor(log10Evidence);
    if (digits >= 15)
        return digits;
    // Two significant digits, rounded down: 2 to 99 whole, then 100, 110, ...
    const double unit = digits < 2 ? 1 : std::pow(10.0, digits - 1);
    return std::log10(std::floor(std::pow(10.0, log10Evidence) / unit) * unit);
}

// Below 10^15 the odds are whole numbers of at most two significant digits,
// so the text shows them exactly.
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

// Integer arithmetic keeps it free of the locale's decimal comma.
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

std::string percent(std::int64_t part, std::int64_t whole) {
    std::int64_t tenths = std::llround(1000.0 * double(part) / double(whole));
    if (part > 0 && tenths == 0)
        tenths = 1;
    if (part < whole && tenths == 1000)
        tenths = 999;
    return decimal(double(tenths) / 10, 1) + "%";
}

} // namespace game
