// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw_fairness.h"

#include "colour_table.h"
#include "stated_odds.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string_view>

namespace game {

namespace {

// The mixture's weights, summing to 1 (see the header).
constexpr double oneColourWeight = 0.3 / 6, allColoursWeight = 0.2, repeatWeight = 0.3,
                 pairsWeight = 0.2;
// Odds from which the reading calls the draw biased; below them it only says
// what stands out most.
constexpr double biasedLog10Odds = 2;

// ln of the Krichevsky-Trofimov probability of any one sequence with these
// counts of its outcomes: the product along the sequence of each outcome's
// predicted chance (count so far + 1/2) / (length so far + k/2), which is the
// Bayes mixture over every distribution of the k outcomes under the
// Dirichlet(1/2, ...) prior. In closed form, so that it is exact at any count.
template <std::size_t k> double logKt(const std::array<std::int64_t, k>& counts) {
    const double half = std::lgamma(0.5), total = std::lgamma(k / 2.0);
    double sum = 0, length = 0;
    for (const std::int64_t count : counts) {
        sum += std::lgamma(double(count) + 0.5) - half;
        length += double(count);
    }
    return sum - (std::lgamma(length + k / 2.0) - total);
}

// ln of the ratio against the fair draw for n draws of which `hits` were of
// one kind that the fair draw gives 1 time in 6, at a rate learnt as they
// come, the other five kinds sharing the rest evenly.
double logOneRate(std::int64_t n, std::int64_t hits) {
    return logKt(std::array{hits, n - hits}) + double(n) * std::log(6.0) -
           double(n - hits) * std::log(5.0);
}

// What each part of the mixture looks for, for the reading to say which one
// stands out.
enum class Part { oneColour, allColours, repeats, pairs };

struct Term {
    double logWeighted; // ln(weight * ratio)
    Part part;
    int colour; // for oneColour
};

// The mixture's terms for these counts, each ln(weight * ratio).
std::array<Term, 9> terms(const std::array<std::int64_t, 6>& counts,
                          const std::array<std::array<std::int64_t, 6>, 6>& pairs,
                          std::int64_t secrets, std::int64_t repeats) {
    const double logSix = std::log(6.0);
    const std::int64_t followers = std::max<std::int64_t>(secrets - 1, 0);
    std::array<Term, 9> all{};
    for (int colour = 1; colour <= 6; ++colour)
        all[std::size_t(colour - 1)] = {std::log(oneColourWeight) +
                                            logOneRate(secrets, counts[std::size_t(colour - 1)]),
                                        Part::oneColour, colour};
    all[6] = {std::log(allColoursWeight) + logKt(counts) + double(secrets) * logSix,
              Part::allColours, 0};
    all[7] = {std::log(repeatWeight) + logOneRate(followers, repeats), Part::repeats, 0};
    double logPairs = double(followers) * logSix;
    for (const auto& after : pairs)
        logPairs += logKt(after);
    all[8] = {std::log(pairsWeight) + logPairs, Part::pairs, 0};
    return all;
}

// The term that weighs most.
const Term& largest(const std::array<Term, 9>& all) {
    return *std::max_element(all.begin(), all.end(), [](const Term& a, const Term& b) {
        return a.logWeighted < b.logWeighted;
    });
}

// ln of the sum of exp(terms): ln E, without overflow at any count.
double logSum(const std::array<Term, 9>& all) {
    const double top = largest(all).logWeighted;
    double sum = 0;
    for (const Term& term : all)
        sum += std::exp(term.logWeighted - top);
    return top + std::log(sum);
}

std::string capitalised(std::string_view text) {
    std::string result(text);
    result[0] = char(result[0] - 'a' + 'A');
    return result;
}

} // namespace

void DrawFairness::add(int colour) {
    assert(colour >= 1 && colour <= 6);
    ++counts_[std::size_t(colour - 1)];
    if (last_ != 0)
        ++pairs_[std::size_t(last_ - 1)][std::size_t(colour - 1)];
    ++secrets_;
    last_ = colour;
}

std::int64_t DrawFairness::repeats() const {
    std::int64_t repeated = 0;
    for (std::size_t a = 0; a < pairs_.size(); ++a)
        repeated += pairs_[a][a];
    return repeated;
}

double DrawFairness::logEvidence() const {
    return logSum(terms(counts_, pairs_, secrets_, repeats()));
}

double DrawFairness::statedOddsLog10() const { return game::statedOddsLog10(logEvidence()); }

std::string DrawFairness::reading() const {
    if (secrets_ == 0)
        return "No secrets yet. Only the secrets of guesses made while the panel is black count "
               "for the draw's check.";
    std::string text = "Secrets of blind guesses: " + std::to_string(secrets_) + ". ";
    for (const ColourRow& row : ColourTable) {
        const std::int64_t count = this->count(row.number);
        text += std::string(row.number == 1 ? capitalised(row.seenAs) : row.seenAs) + " " +
                std::to_string(count) + " (" + percent(count, secrets_) + ")" +
                (row.number < 6 ? ", " : "");
    }
    const std::int64_t repeated = repeats();
    if (secrets_ > 1)
        text += "; the same as the one before: " + std::to_string(repeated) + " of " +
                std::to_string(secrets_ - 1) + " (" + percent(repeated, secrets_ - 1) + ")";
    text += ". A fair draw: 1 in 6 (16.7%) each. ";

    const auto all = terms(counts_, pairs_, secrets_, repeated);
    const double odds = game::statedOddsLog10(logSum(all));
    if (odds == 0)
        return text + "No colour and no pattern stands out so far; a slight bias can take "
                      "thousands of secrets to show.";
    const Term& most = largest(all);
    std::string standsOut;
    switch (most.part) {
    case Part::oneColour:
        standsOut = capitalised(ColourTable[std::size_t(most.colour - 1)].seenAs) + " comes up " +
                    (6 * count(most.colour) > secrets_ ? "more" : "less") + " often than 1 in 6";
        break;
    case Part::allColours:
        standsOut = "The colours' shares are uneven";
        break;
    case Part::repeats:
        standsOut = std::string("A secret repeats the one before ") +
                    (6 * repeated > secrets_ - 1 ? "more" : "less") + " often than 1 in 6";
        break;
    case Part::pairs:
        standsOut = "Which colour follows which is uneven";
        break;
    }
    return text + standsOut +
           (odds >= biasedLog10Odds - 1e-9 ? ", and the draw looks biased"
                                           : ", but too little yet to call the draw biased") +
           ": a fair draw gives a reading this strong at most 1 time in " + oddsText(odds) +
           ", however often you look.";
}

} // namespace game
