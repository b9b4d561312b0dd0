// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Checks the draw's statement (game::DrawFairness) by seeded simulation and
// prints what it finds: what a reading costs; how far its closed form strays
// from the product of its predictions over a million secrets; how often a
// fair draw ever makes it state 1 in 20, 100 or 1000 or rarer within a
// horizon, watched after every secret, with 95% confidence intervals; and how
// many secrets biased sources need before it first states 1 in 20 and 1 in
// 100, beside an oracle that knows the source. Exits 1 if a fair draw reaches
// some 1 in X clearly more often than 1 time in X.
//
// Usage: tavelquin_draw_bench [--seed N] [--runs N] [--biased-runs N] [--horizon N]
#include "draw_fairness.h"
#include "per_call.h"
#include "stated_odds.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Random = std::mt19937_64;

// A uniform number in [0, 1) from the top 53 bits, the same on every system.
double unit(Random& random) { return double(random() >> 11) * 0x1.0p-53; }

int fair(Random& random, int) { return 1 + int(unit(random) * 6); }

// Red 1 time in 5, the other five colours sharing the rest evenly.
int oneColour(Random& random, int) {
    const double u = unit(random);
    return u < 0.2 ? 1 : std::min(6, 2 + int((u - 0.2) / 0.16));
}

// Repeats the last secret 1 time in 10, else draws fairly.
int sticky(Random& random, int last) {
    if (last != 0 && unit(random) < 0.1)
        return last;
    return fair(random, last);
}

// Draws again, once, when it has drawn the last secret.
int avoidsRepeats(Random& random, int last) {
    const int colour = fair(random, last);
    return colour == last ? fair(random, last) : colour;
}

struct Source {
    const char* name;
    int (*draw)(Random&, int last);
    // ln of the source's chance of colour after last, times 6: what the
    // likelihood ratio of an oracle that knows the source gains.
    double (*oracleStep)(int colour, int last);
};

const Source biasedSources[] = {
    {"red at 20%, the others 16% each", oneColour,
     [](int colour, int) { return std::log(colour == 1 ? 1.2 : 0.96); }},
    {"repeats the last secret 1 time in 10", sticky,
     [](int colour, int last) { return last == 0 ? 0.0 : std::log(colour == last ? 1.5 : 0.9); }},
    {"draws again once on a repeat", avoidsRepeats,
     [](int colour, int last) {
         return last == 0 ? 0.0 : std::log(colour == last ? 1.0 / 6 : 7.0 / 6);
     }},
};

constexpr std::array<double, 3> levels = {20, 100, 1000};

// Watches one sequence of secrets as a player would, after every secret, and
// says after how many the statement first stated each level or rarer.
// A secret multiplies each ratio of the mixture by less than 6, so while
// ln E is k ln 6 below the next level, the next k secrets cannot reach it
// and are counted without a reading.
template <std::size_t n>
std::array<std::int64_t, n> firstReached(Random& random, const Source& source,
                                         const std::array<double, n>& targets,
                                         std::int64_t horizon) {
    std::array<std::int64_t, n> first{};
    first.fill(-1);
    game::DrawFairness draw;
    std::size_t reached = 0;
    std::int64_t nextReading = 1;
    int last = 0;
    for (std::int64_t secrets = 1; secrets <= horizon && reached < n; ++secrets) {
        last = source.draw(random, last);
        draw.add(last);
        if (secrets < nextReading)
            continue;
        const double logEvidence = draw.logEvidence();
        while (reached < n &&
               game::statedOddsLog10(logEvidence) >= std::log10(targets[reached]) - 1e-9)
            first[reached++] = secrets;
        if (reached < n)
            nextReading =
                secrets + 1 +
                std::int64_t(std::max(
                    0.0, std::floor((std::log(targets[reached]) - logEvidence) / std::log(6.0))));
    }
    return first;
}

// A 95% Wilson score interval for a proportion.
std::pair<double, double> wilson(double hits, double runs) {
    const double z = 1.96, p = hits / runs, z2 = z * z / runs;
    const double centre = (p + z2 / 2) / (1 + z2);
    const double half = z * std::sqrt(p * (1 - p) / runs + z2 / runs / 4) / (1 + z2);
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

// The median of values, and a 95% interval for it from their order; -1,
// for never, counts as more than any number.
std::string medianText(std::vector<std::int64_t> values) {
    std::sort(values.begin(), values.end(),
              [](std::int64_t a, std::int64_t b) { return std::uint64_t(a) < std::uint64_t(b); });
    const double count = double(values.size()), spread = 1.96 * std::sqrt(count) / 2;
    const auto at = [&](double rank) {
        const std::int64_t value = values[std::size_t(std::clamp(rank, 0.0, count - 1))];
        return value < 0 ? std::string("never") : std::to_string(value);
    };
    return at(count / 2) + " (" + at(std::floor(count / 2 - spread)) + " to " +
           at(std::ceil(count / 2 + spread)) + ")";
}

// The same mixture as DrawFairness, as the product of each part's predicted
// chances along the sequence, in long double: what its closed form must equal.
class Sequential {
public:
    void add(int colour) {
        const std::size_t c = std::size_t(colour - 1);
        const long double secrets = n;
        for (std::size_t j = 0; j < 6; ++j)
            logOne[j] += j == c ? std::log(6 * (counts[j] + 0.5L) / (secrets + 1))
                                : std::log(6 * (secrets - counts[j] + 0.5L) / (secrets + 1) / 5);
        logAll += std::log(6 * (counts[c] + 0.5L) / (secrets + 3));
        if (last != 0) {
            const std::size_t l = std::size_t(last - 1);
            long double after = 0;
            for (const std::int64_t count : pairs[l])
                after += count;
            logPairs += std::log(6 * (pairs[l][c] + 0.5L) / (after + 3));
            const long double followers = secrets - 1;
            logRepeat += c == l ? std::log(6 * (repeats + 0.5L) / (followers + 1))
                                : std::log(6 * (followers - repeats + 0.5L) / (followers + 1) / 5);
            repeats += c == l;
            ++pairs[l][c];
        }
        ++counts[c];
        ++n;
        last = colour;
    }
    long double logEvidence() const {
        const long double logOneWeight = std::log(0.05L);
        const std::array<long double, 9> terms = {
            std::log(0.2L) + logAll,  std::log(0.3L) + logRepeat, std::log(0.2L) + logPairs,
            logOneWeight + logOne[0], logOneWeight + logOne[1],   logOneWeight + logOne[2],
            logOneWeight + logOne[3], logOneWeight + logOne[4],   logOneWeight + logOne[5]};
        const long double top = *std::max_element(terms.begin(), terms.end());
        long double sum = 0;
        for (const long double term : terms)
            sum += std::exp(term - top);
        return top + std::log(sum);
    }

private:
    std::array<long double, 6> logOne{};
    long double logAll = 0, logRepeat = 0, logPairs = 0;
    std::array<std::int64_t, 6> counts{};
    std::array<std::array<std::int64_t, 6>, 6> pairs{};
    std::int64_t n = 0, repeats = 0;
    int last = 0;
};

void printCost() {
    volatile double sink = 0;
    Random random(1);
    game::DrawFairness draw;
    std::printf("Cost (median of 31 batches):\n  add(): %.3f us\n",
                microsecondsPerCall([&] { draw.add(fair(random, 0)); }));
    for (const std::int64_t secrets : {600, 1000000}) {
        game::DrawFairness tally;
        for (std::int64_t i = 0; i < secrets; ++i)
            tally.add(fair(random, 0));
        std::printf("  ln E at %lld secrets: %.3f us; the whole reading: %.3f us\n",
                    static_cast<long long>(secrets),
                    microsecondsPerCall([&] { sink = tally.logEvidence(); }),
                    microsecondsPerCall([&] { sink = double(tally.reading().size()); }));
    }
}

void printExactness(std::uint64_t seed) {
    std::printf("ln E in closed form against the product of predictions in long double, "
                "read at 100 points over 1,000,000 secrets:\n");
    for (const Source& source : {Source{"a fair draw", fair, nullptr}, biasedSources[0]}) {
        Random random(seed);
        game::DrawFairness draw;
        Sequential product;
        double largest = 0, end = 0;
        int last = 0;
        for (std::int64_t secrets = 1; secrets <= 1000000; ++secrets) {
            last = source.draw(random, last);
            draw.add(last);
            product.add(last);
            if (secrets % 10000 == 0) {
                end = draw.logEvidence();
                largest = std::max(largest, std::fabs(double(end - product.logEvidence())));
            }
        }
        std::printf("  %s: largest difference %.1e (ln E ends at %.6g)\n", source.name, largest,
                    end);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 20261208;
    std::int64_t runs = 10000, biasedRuns = 1000, horizon = 10000;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long long value = std::atoll(argv[i + 1]);
        if (std::strcmp(argv[i], "--seed") == 0)
            seed = std::uint64_t(value);
        else if (std::strcmp(argv[i], "--runs") == 0)
            runs = value;
        else if (std::strcmp(argv[i], "--biased-runs") == 0)
            biasedRuns = value;
        else if (std::strcmp(argv[i], "--horizon") == 0)
            horizon = value;
        else
            return std::fprintf(stderr, "tavelquin_draw_bench: unknown option %s\n", argv[i]), 2;
    }
    if (argc % 2 == 0 || runs < 1 || biasedRuns < 1 || horizon < 1)
        return std::fprintf(stderr, "usage: tavelquin_draw_bench [--seed N] [--runs N] "
                                    "[--biased-runs N] [--horizon N]\n"),
               2;
    std::printf("Seed %llu (--seed N for another)\n", static_cast<unsigned long long>(seed));
    printCost();
    printExactness(seed);

    Random random(seed);
    const Source fairSource{"a fair draw", fair, nullptr};
    std::array<std::int64_t, levels.size()> ever{};
    for (std::int64_t run = 0; run < runs; ++run) {
        const auto first = firstReached(random, fairSource, levels, horizon);
        for (std::size_t level = 0; level < levels.size(); ++level)
            ever[level] += first[level] > 0;
    }
    bool failed = false;
    std::printf("A fair draw, %lld runs of %lld secrets, read after every secret:\n",
                static_cast<long long>(runs), static_cast<long long>(horizon));
    for (std::size_t level = 0; level < levels.size(); ++level) {
        const auto [low, high] = wilson(double(ever[level]), double(runs));
        const bool over = low > 1 / levels[level];
        failed |= over;
        std::printf("  ever states 1 in %g or rarer: %lld times, %.5f (95%% CI %.5f to %.5f; at "
                    "most %.5f allowed)%s\n",
                    levels[level], static_cast<long long>(ever[level]),
                    double(ever[level]) / double(runs), low, high, 1 / levels[level],
                    over ? "  FAIL" : "");
    }

    std::printf("Secrets until the statement first says 1 in 20 and 1 in 100, median of %lld "
                "runs (95%% CI), beside an oracle's 1 in 100:\n",
                static_cast<long long>(biasedRuns));
    const std::array<double, 2> targets = {20, 100};
    constexpr std::int64_t longest = 2000000;
    // Generators of their own, so that these figures do not depend on --runs;
    // the oracle watches secrets of its own.
    Random biasedRandom(seed + 1), oracleRandom(seed + 2);
    for (const Source& source : biasedSources) {
        std::vector<std::int64_t> to20, to100, oracle;
        for (std::int64_t run = 0; run < biasedRuns; ++run) {
            const auto first = firstReached(biasedRandom, source, targets, longest);
            to20.push_back(first[0]);
            to100.push_back(first[1]);
            double logRatio = 0;
            std::int64_t secrets = 0;
            int last = 0;
            while (logRatio < std::log(100.0) && secrets < longest) {
                const int colour = source.draw(oracleRandom, last);
                logRatio += source.oracleStep(colour, last);
                last = colour;
                ++secrets;
            }
            oracle.push_back(secrets);
        }
        std::printf("  %s: 1 in 20 after %s, 1 in 100 after %s; oracle %s\n", source.name,
                    medianText(to20).c_str(), medianText(to100).c_str(),
                    medianText(oracle).c_str());
    }
    return failed ? 1 : 0;
}
