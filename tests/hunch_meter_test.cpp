// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "evidence.h"
#include "hunch_meter.h"
#include "meter_bands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr double luck = 1.0 / 6.0;

// The evidence is a martingale for a player with no hunch: it starts at 1,
// and its value now is what luck's two outcomes of the next guess average to.
TEST(Evidence, IsAMartingaleUnderLuckThatStartsAtOne) {
    EXPECT_NEAR(game::logEvidence(0, 0), 0, 1e-12);
    for (auto [n, k] : {std::pair{0, 0}, {7, 1}, {60, 15}, {500, 40}, {3000, 560}}) {
        const double next = luck * std::exp(game::logEvidence(n + 1, k + 1)) +
                            (1 - luck) * std::exp(game::logEvidence(n + 1, k));
        EXPECT_NEAR(std::exp(game::logEvidence(n, k)) / next, 1, 1e-12) << n << " " << k;
    }
}

// An exact walk over every tally of a player with no hunch: the chance that
// the meter ever states 1 in X or rarer within 600 blind guesses, watched
// after every one, stays within 1/X.
TEST(HunchMeter, EverStatingOneInXHappensToLuckAtMostOneTimeInX) {
    const double levels[] = {2, 5, 20, 100};
    std::vector<std::vector<double>> alive(std::size(levels), {1.0});
    std::vector<double> ever(std::size(levels), 0);
    for (int n = 1; n <= 600; ++n)
        for (std::size_t level = 0; level < std::size(levels); ++level) {
            std::vector<double>& mass = alive[level];
            mass.push_back(0);
            for (int k = n; k >= 0; --k) {
                mass[k] = mass[k] * (1 - luck) + (k > 0 ? mass[k - 1] * luck : 0);
                if (game::statedOddsLog10(n, k) >= std::log10(levels[level]))
                    ever[level] += std::exchange(mass[k], 0);
            }
        }
    for (std::size_t level = 0; level < std::size(levels); ++level)
        EXPECT_LE(ever[level], 1 / levels[level]) << "1 in " << levels[level];
    EXPECT_GT(ever[0], 0.3) << "the meter is far more cautious than it needs to be";
}

TEST(HunchMeter, ReadingsSayWhatTheTallyMeans) {
    const std::string rare = "Luck alone gives a reading this strong at most 1 time in ";
    const std::tuple<int, int, std::string, std::string> rows[] = {
        {0, 0, "",
         "No blind guesses yet. Only guesses made while the panel is black count for the hunch "
         "meter."},
        {1, 1, "100", "Too little evidence yet to tell a hunch from luck."},
        {6, 1, "16.7", "No better than luck so far."},
        {3000, 1, "0.1", "No better than luck so far."},
        {2, 2, "100", rare + "3, however often you look."},
        {60, 18, "30", rare + "12, however often you look."},
        {300, 80, "26.7", rare + "3200, however often you look."},
        {1219, 290, "23.8", rare + "120 million, however often you look."},
        {300, 100, "33.3", rare + "5.6 billion, however often you look."},
        {1219, 330, "27.1", rare + "10 to the power 16, however often you look."},
        {3000, 2999, "99.9", rare + "10 to the power 2065, however often you look."}};
    for (const auto& [guesses, right, rate, verdict] : rows) {
        game::HunchMeter meter;
        for (int i = 0; i < guesses; ++i)
            meter.guess(true, i < right);
        EXPECT_EQ(meter.reading(), rate.empty()
                                       ? verdict
                                       : "Blind guesses: " + std::to_string(guesses) +
                                             ", right: " + std::to_string(right) + " (" + rate +
                                             "%). Luck alone: 1 in 6 (16.7%). " + verdict);
    }
    // The band a plot draws: the fewest right at which the meter says 1 in 20
    // or 1 in 100, if any.
    EXPECT_EQ(game::rightNeeded(20, std::log10(20.0)), 9);
    EXPECT_EQ(game::rightNeeded(3000, 2), 580);
    EXPECT_EQ(game::rightNeeded(5, 2), -1);
    // Going on from a journal's earlier game, the same tally reads the same,
    // over one game more once this one has a guess.
    game::HunchMeter journal(1, 20, 6);
    EXPECT_EQ(journal.reading(), "In 1 game: " + game::hunchReading(20, 6));
    journal.guess(true, true);
    EXPECT_EQ(journal.reading(), "In 2 games: " + game::hunchReading(21, 7));
}

// The first guess at which the meter states 1 in 20 or 1 in 100, found by a
// walk that reads the meter at a few guesses only, is the one a reading after
// every guess finds: for players below, near and well above the bands, and
// for one held a right guess short of 1 in 20 for long, then right ten times.
TEST(MeterBands, FirstStatingAgreesWithAReadingAfterEveryGuess) {
    const double twenty = std::log10(20.0);
    std::vector<std::vector<bool>> walks;
    std::mt19937 random(7);
    for (double rate : {1.0 / 6, 0.21, 0.3, 0.6}) {
        std::bernoulli_distribution right(rate);
        walks.emplace_back();
        for (int guess = 0; guess < 3000; ++guess)
            walks.back().push_back(right(random));
    }
    std::vector<bool> held;
    for (std::int64_t guess = 1, right = 0; guess <= 2000; ++guess) {
        held.push_back(right + 1 < game::rightNeeded(guess, twenty));
        right += held.back() ? 1 : 0;
    }
    held.insert(held.end(), 10, true);
    walks.push_back(held);
    for (std::size_t walk = 0; walk < walks.size(); ++walk)
        for (const double odds : {twenty, 2.0}) {
            std::int64_t first = 0, right = 0;
            for (std::size_t i = 0; i < walks[walk].size() && first == 0; ++i) {
                right += walks[walk][i] ? 1 : 0;
                if (game::statedOddsLog10(std::int64_t(i) + 1, right) >= odds - 1e-9)
                    first = std::int64_t(i) + 1;
            }
            EXPECT_EQ(game::firstStating(walks[walk], odds), first)
                << "walk " << walk << ", 1 in " << std::pow(10, odds);
        }
}

} // namespace
