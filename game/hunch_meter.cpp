// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hunch_meter.h"

#include "binomial.h"

#include <cmath>

namespace game {

namespace {

constexpr double luck = 1.0 / 6.0;
// Fewer blind guesses than this say too little to be worth a number.
constexpr std::int64_t fewestGuesses = 6;
// Doing badly is worth a mention when luck alone does that badly less often.
constexpr double unusuallyBad = 0.05;

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

// A probability for the ear as much as the eye: "3.7% (about 1 in 27)",
// "about 1 in 2700", "about 1 in 3.4 million", "less than 1 in 10 to the power
// 16". Both parts keep two significant digits, and a percentage below 0.1% is
// left out. p is at most about 0.6 (an upper tail above the mean, or a lower
// tail below 5%), so the odds never read "1 in 1".
std::string probability(double p) {
    if (p < 1e-300)
        return "less than 1 in 10 to the power 300";
    std::string text;
    if (p >= 0.001) {
        const double percent = 100 * p;
        text = decimal(percent, percent >= 10 ? 0 : percent >= 1 ? 1 : 2) + "%";
    }
    const double odds = 1 / p;
    double rounded = std::round(odds);
    if (odds >= 100) {
        const double unit = std::pow(10.0, std::floor(std::log10(odds)) - 1);
        rounded = std::round(odds / unit) * unit;
    }
    std::string about;
    if (rounded < 1e6)
        about = "about 1 in " + decimal(rounded, 0);
    else if (rounded < 1e9)
        about = "about 1 in " + decimal(rounded / 1e6, 1) + " million";
    else if (rounded < 1e12)
        about = "about 1 in " + decimal(rounded / 1e9, 1) + " billion";
    else if (rounded < 1e15)
        about = "about 1 in " + decimal(rounded / 1e12, 1) + " trillion";
    else
        about =
            "less than 1 in 10 to the power " + std::to_string(static_cast<int>(-std::log10(p)));
    return text.empty() ? about : text + " (" + about + ")";
}

} // namespace

void HunchMeter::blindGuess(bool right) {
    ++guesses;
    if (right)
        ++rightGuesses;
}

std::string HunchMeter::reading() const {
    if (guesses == 0)
        return "No blind guesses yet. Only guesses made while the panel is black count for the "
               "hunch meter.";
    std::string text =
        "Blind guesses: " + std::to_string(guesses) + ", right: " + std::to_string(rightGuesses);
    if (guesses < fewestGuesses) {
        const std::int64_t more = fewestGuesses - guesses;
        return text + ". Too early to tell: " + std::to_string(more) + " more blind guess" +
               (more == 1 ? "" : "es") + " needed.";
    }
    // Never "0%" or "100%" for a rate that is neither.
    std::int64_t tenths =
        std::llround(1000.0 * static_cast<double>(rightGuesses) / static_cast<double>(guesses));
    if (rightGuesses > 0 && tenths == 0)
        tenths = 1;
    if (rightGuesses < guesses && tenths == 1000)
        tenths = 999;
    text +=
        " (" + decimal(static_cast<double>(tenths) / 10, 1) + "%). Luck alone: 1 in 6 (16.7%). ";
    if (6 * rightGuesses > guesses)
        return text + "Doing this well by luck: " +
               probability(binomialUpperTail(guesses, rightGuesses, luck)) + ".";
    text += "No better than luck.";
    const double bad = binomialLowerTail(guesses, rightGuesses, luck);
    if (bad < unusuallyBad)
        text += " Doing this badly by luck: " + probability(bad) + ".";
    return text;
}

} // namespace game
