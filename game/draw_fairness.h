// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace game {

// What the secrets of blind guesses, in the order drawn, say of the draw: how
// often each colour fell, and how strongly they speak against a fair draw, in
// which every secret is each of the six colours with chance 1 in 6, whatever
// came before.
//
// The evidence is an e-value E: a mixture of likelihood ratios against the
// fair draw, each a sequential Bayes (Krichevsky-Trofimov) mixture over the
// draws it looks for, under the Dirichlet(1/2, ...) prior:
//  - one colour drawn at a rate other than 1 in 6, the other five sharing the
//    rest evenly (3/10 of the weight, shared by the six colours alike);
//  - the six colours at any rates (2/10);
//  - a secret repeating the one before at a rate other than 1 in 6, the other
//    five colours sharing the rest evenly (3/10);
//  - any dependence on the secret before: a distribution for each (2/10).
// The single rates cost least to learn, so the likeliest faults, one colour
// too often or too seldom and secrets that stick or avoid repeating, show
// soonest; the others catch what they miss. Under a fair draw each ratio is
// a nonnegative martingale that starts at 1, so their mixture is one too, and
// by Ville's inequality the chance that E ever reaches x, however many
// secrets are drawn and however often it is looked at, is at most 1/x.
class DrawFairness {
public:
    // Counts the next secret: a colour number from 1 to 6, as in ColourTable.
    void add(int colour);

    std::int64_t secrets() const { return secrets_; }
    std::int64_t count(int colour) const { return counts_[std::size_t(colour - 1)]; }
    // The secrets that are the same as the one before them.
    std::int64_t repeats() const;

    // ln E. E depends on the counts of colours and of pairs of consecutive
    // secrets alone, which are kept exactly, so it costs the same few dozen
    // operations at any count, and its rounding error in ln E is some 3e-9
    // at a million secrets (bench/draw_fairness_bench.cpp measures it).
    double logEvidence() const;
    // "1 time in X" as log10(X), or 0 when nothing is stated, rounded down
    // as the hunch meter's odds are.
    double statedOddsLog10() const;

    // The counts and what they mean, in one short paragraph of plain words
    // and plain digits, the same in every locale.
    std::string reading() const;

private:
    // pairs_[a][b]: how often colour b + 1 was drawn right after colour a + 1.
    std::array<std::array<std::int64_t, 6>, 6> pairs_{};
    std::array<std::int64_t, 6> counts_{};
    std::int64_t secrets_ = 0;
    int last_ = 0; // colour number of the last secret, 0 before the first
};

} // namespace game
