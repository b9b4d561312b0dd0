// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chart of a hunch over a whole journal, as a drawing that every front end
// and the SVG writer draw alike, and as words and numbers for those who
// cannot see it.
#pragma once

#include "scene.h"

#include <cstdint>
#include <string>
#include <vector>

namespace report {

// The chart's numbers after some count of blind guesses.
struct ChartRow {
    std::int64_t guesses = 0, right = 0;
    // The rates at which the meter states 1 in 20 and 1 in 100 or rarer there,
    // or game::unreachableRate when even every guess right falls short.
    double twentyRate = 0, hundredRate = 0;
};

// The running rate of right blind guesses over a journal, against luck's
// 1 in 6 and the rates at which the hunch meter says 1 in 20 and 1 in 100, as
// bands that narrow as guesses add up, with the meter's reading of the whole
// journal below.
struct HunchChart {
    Scene scene; // 960 x 540 on white
    std::string title;
    // What the chart shows, in words: where the rate ends against luck, and
    // whether and when it reached the bands.
    std::string description;
    // At each mark of the axis of guesses after 0, and at the last guess.
    std::vector<ChartRow> rows;
};

// outcomes: one entry per blind guess, in order, true when it was right;
// games: how many games the journal holds. Keeps a few points per pixel column
// of the chart, so a million guesses draw as quickly and as small as a
// thousand.
HunchChart hunchChart(const std::vector<bool>& outcomes, std::int64_t games);

} // namespace report
