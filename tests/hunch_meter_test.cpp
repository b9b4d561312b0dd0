// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "binomial.h"
#include "hunch_meter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr double luck = 1.0 / 6.0;

void expectTails(std::int64_t n, std::int64_t k, double upper, double lower) {
    EXPECT_NEAR(game::binomialUpperTail(n, k, luck), upper, 1e-9 * upper) << n << " " << k;
    EXPECT_NEAR(game::binomialLowerTail(n, k, luck), lower, 1e-9 * lower) << n << " " << k;
}

TEST(BinomialTails, MatchExactValuesAndAPlainSum) {
    // At n = 10^7, 60-digit decimal sums by bench/check_tails.py (ln n! from
    // Stirling's series with Bernoulli numbers); up to n = 40 a plain sum.
    expectTails(10000000, 1666666, 5.00357320048744891317e-01, 4.99981193683893820889e-01);
    expectTails(10000000, 1672559, 2.90952341096655369483e-07, 9.99999710323515533794e-01);
    expectTails(10000000, 1643096, 1, 1.28924020051059712798e-89);
    expectTails(10000000, 1710271, 6.58316403326427455818e-298, 1);
    for (int n = 0; n <= 40; ++n)
        for (int k = -1; k <= n + 1; ++k) {
            long double upper = 0, lower = 0, binomial = 1; // C(n, j)
            for (int j = 0; j <= n; binomial = binomial * (n - j) / (j + 1), ++j) {
                const long double term =
                    binomial * std::pow(1.0L / 6, j) * std::pow(5.0L / 6, n - j);
                upper += j >= k ? term : 0;
                lower += j <= k ? term : 0;
            }
            expectTails(n, k, double(upper), double(lower));
        }
}

TEST(HunchMeter, ReadingsSayWhatTheCountMeansInPlainWords) {
    // From 6 blind guesses on: the count, the rate, then the verdict.
    const std::string well = "Doing this well by luck: ", badly = "Doing this badly by luck: ";
    const std::tuple<int, int, std::string, std::string> rows[] = {
        {0, 0, "",
         "No blind guesses yet. Only guesses made while the panel is black count for the hunch "
         "meter."},
        {1, 1, "", "Blind guesses: 1, right: 1. Too early to tell: 5 more blind guesses needed."},
        {5, 0, "", "Blind guesses: 5, right: 0. Too early to tell: 1 more blind guess needed."},
        {6, 1, "16.7", "No better than luck."},
        {20, 7, "35", well + "3.7% (about 1 in 27)."},
        {60, 2, "3.3", "No better than luck. " + badly + "0.15% (about 1 in 670)."},
        {100, 32, "32", well + "about 1 in 8100."},
        {100, 50, "50", well + "about 1 in 59 trillion."},
        {20, 20, "100", well + "less than 1 in 10 to the power 15."},
        {3000, 1, "0.1", "No better than luck. " + badly + "less than 1 in 10 to the power 234."},
        {3000, 2999, "99.9", well + "less than 1 in 10 to the power 300."}};
    for (const auto& [guesses, right, rate, verdict] : rows) {
        game::HunchMeter meter;
        for (int i = 0; i < guesses; ++i)
            meter.blindGuess(i < right);
        EXPECT_EQ(meter.reading(), rate.empty()
                                       ? verdict
                                       : "Blind guesses: " + std::to_string(guesses) +
                                             ", right: " + std::to_string(right) + " (" + rate +
                                             "%). Luck alone: 1 in 6 (16.7%). " + verdict);
    }
}

} // namespace
