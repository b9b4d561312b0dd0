// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw_fairness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

// Secrets from a seeded source that repeats the last one with chance
// `sticky`, and else draws red with chance `red`, the other five evenly; or,
// when `rounded`, draws 1 + round(5u), which gives red and orange half the
// chance of the others.
std::vector<int> secrets(int count, double red, double sticky, bool rounded = false) {
    std::mt19937 random(1);
    const auto unit = [&] { return double(random()) / 4294967296.0; };
    std::vector<int> drawn;
    for (int i = 0; i < count; ++i) {
        const double u = unit();
        if (rounded)
            drawn.push_back(1 + int(std::lround(5 * u)));
        else if (!drawn.empty() && u < sticky)
            drawn.push_back(drawn.back());
        else if (const double v = unit(); v < red)
            drawn.push_back(1);
        else
            drawn.push_back(2 + std::min(4, int((v - red) / (1 - red) * 5)));
    }
    return drawn;
}

game::DrawFairness tally(const std::vector<int>& drawn) {
    game::DrawFairness draw;
    for (const int colour : drawn)
        draw.add(colour);
    return draw;
}

// Under a fair draw the evidence is a martingale that starts at 1: its value
// now is what the six next secrets average to, exactly, also after a
// million secrets, where a closed form that lost precision would drift.
TEST(DrawFairness, IsAMartingaleUnderAFairDrawThatStartsAtOne) {
    EXPECT_EQ(game::DrawFairness().logEvidence(), 0);
    for (const auto& [count, red, sticky] : {std::tuple{1, 1 / 6.0, 0.0},
                                             {2, 1.0, 0.0},
                                             {50, 0.5, 0.3},
                                             {3000, 1 / 6.0, 0.0},
                                             {1000000, 0.2, 0.05}}) {
        const game::DrawFairness now = tally(secrets(count, red, sticky));
        double average = 0;
        for (int colour = 1; colour <= 6; ++colour) {
            game::DrawFairness next = now;
            next.add(colour);
            average += std::exp(next.logEvidence() - now.logEvidence()) / 6;
        }
        EXPECT_NEAR(average, 1, 1e-9) << count << " secrets";
    }
}

TEST(DrawFairness, ReadingsSayWhatStandsOut) {
    const std::string nothing = "No colour and no pattern stands out so far; a slight bias can "
                                "take thousands of secrets to show.";
    std::vector<int> cycle;
    for (int i = 0; i < 600; ++i)
        cycle.push_back(1 + i % 6);
    const std::pair<std::vector<int>, std::string> rows[] = {
        {{},
         "No secrets yet. Only the secrets of guesses made while the panel is black count "
         "for the draw's check."},
        {{3},
         "Secrets of blind guesses: 1. Red 0 (0%), yellow 0 (0%), green 1 (100%), blue 0 (0%), "
         "purple 0 "
         "(0%), orange 0 (0%). A fair draw: 1 in 6 (16.7%) each. " +
             nothing},
        {cycle, "Secrets of blind guesses: 600. Red 100 (16.7%), yellow 100 (16.7%), green 100 "
                "(16.7%), blue "
                "100 (16.7%), purple 100 (16.7%), orange 100 (16.7%); the same as the one before: "
                "0 of 599 (0%). A fair draw: 1 in 6 (16.7%) each. Which colour follows which is "
                "uneven, and the draw looks biased: a fair draw gives a reading this strong at "
                "most 1 time in 10 to the power 435, however often you look."},
        {secrets(2000, 1 / 6.0, 0), nothing},
        {secrets(300, 0.3, 0), "Red comes up more often than 1 in 6, and the draw looks biased"},
        {secrets(150, 0.3, 0),
         "Red comes up more often than 1 in 6, but too little yet to call the "
         "draw biased: a fair draw gives a reading this strong at most 1 "
         "time in 24, however often you look."},
        {secrets(200, 1 / 6.0, 0.15), "A secret repeats the one before more often than 1 in 6, "},
        {secrets(800, 0, 0, true), "The colours' shares are uneven, "}};
    for (const auto& [drawn, words] : rows) {
        const std::string reading = tally(drawn).reading();
        // A whole reading, or words it must hold.
        if (words.starts_with("Secrets of") || words.starts_with("No secrets"))
            EXPECT_EQ(reading, words);
        else
            EXPECT_NE(reading.find(words), std::string::npos) << reading;
    }
}

} // namespace
