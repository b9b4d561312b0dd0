// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "evidence.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace game {
namespace {

constexpr double luck = 1.0 / 6.0;

// One hit rate of the mixture, with the logarithms that a tally needs.
struct Alternative {
    double logWeight;
    double logHit;  // ln(rate / luck)
    double logMiss; // ln((1 - rate) / (1 - luck))
};

// Hit rates 1/6 + (1/24) 3^(j/2): a grid even in the logarithm of the excess
// over luck, which is how finely a tally can tell rates apart by the time it
// shows them. Most weight goes to the four from about 1 in 4.8 to 1 in 2.6
// (j = 0 to 3), in proportions that keep the median wait for "1 in 100"
// within 1.21 times an oracle's for hunches from 1 in 5 to 1 in 3 (exact
// walks in bench/check_meter.py). Each weaker rate below them keeps 0.13 of
// the weight of the one above, down to an excess of 1e-4, so that a weak
// hunch still shows in the end; each stronger one keeps 0.07.
constexpr int weakest = -10, strongest = 5;
constexpr std::array<double, 4> mainWeights = {0.30, 0.20, 0.20, 0.24};
constexpr double weakerShare = 0.13, strongerShare = 0.07;

std::array<Alternative, strongest - weakest + 1> makeMixture() {
    std::array<Alternative, strongest - weakest + 1> mixture{};
    std::array<double, mixture.size()> weights{};
    double total = 0;
    for (int j = weakest; j <= strongest; ++j) {
        double& weight = weights[std::size_t(j - weakest)];
        if (j < 0)
            weight = mainWeights.front() * std::pow(weakerShare, -j);
        else if (j < int(mainWeights.size()))
            weight = mainWeights[std::size_t(j)];
        else
            weight = mainWeights.back() * std::pow(strongerShare, j + 1 - int(mainWeights.size()));
        total += weight;
    }
    for (int j = weakest; j <= strongest; ++j) {
        const double rate = luck + std::pow(3.0, j / 2.0) / 24;
        const std::size_t i = std::size_t(j - weakest);
        // Weights summing to at most 1 keep E a martingale that starts at 1.
        mixture[i] = {std::log(weights[i] / total), std::log(rate / luck),
                      std::log1p(-rate) - std::log1p(-luck)};
    }
    return mixture;
}

} // namespace

double logEvidence(std::int64_t guesses, std::int64_t right) {
    static const auto mixture = makeMixture();
    const double hits = double(right), misses = double(guesses - right);
    std::array<double, mixture.size()> terms{};
    for (std::size_t i = 0; i < mixture.size(); ++i)
        terms[i] = mixture[i].logWeight + hits * mixture[i].logHit + misses * mixture[i].logMiss;
    // ln of the sum of exp(terms), without overflow at any tally.
    const double largest = *std::max_element(terms.begin(), terms.end());
    double sum = 0;
    for (double term : terms)
        sum += std::exp(term - largest);
    return largest + std::log(sum);
}

} // namespace game
