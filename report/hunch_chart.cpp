// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hunch_chart.h"

#include "hunch_meter.h"
#include "meter_bands.h"
#include "text_format.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace report {
namespace {

constexpr double luck = 1.0 / 6.0;
constexpr double width = 960, height = 540;
// The chart's frame, in whole pixels so that each pixel column is one stretch
// of a long journal; its axes' words, the legend and the reading lie below.
constexpr int columns = 832;
constexpr Box frame{88, 58, columns, 332};
// The rate at which the meter states nothing, above the top of any chart,
// whose range ends at 100% at most.
constexpr double unreachable = game::unreachableRate;
// The meter's odds of 1 in 20 and 1 in 100, as their common logarithms.
const double twentyOdds = std::log10(20.0), hundredOdds = 2;

// Colours that blue-yellow and red-green colour-blind readers tell apart too:
// the player's rate in a strong blue over greys and ambers, and the bands'
// edges dark enough to stand out from the fills on either side of them.
constexpr Colour ink = 0xFF202020, frameGrey = 0xFF8C8C8C, rateBlue = 0xFF0F4CB8,
                 luckLine = 0xFF3A3A3A, gridInk = 0x1E000000, belowTwentyFill = 0xFFE6E6E6,
                 twentyFill = 0xFFFDEFD2, hundredFill = 0xFFF7CD8A, twentyEdge = 0xFF9A6A00,
                 hundredEdge = 0xFF7A4300;

// The baseline that centres a line of words of this size on y.
double baseline(double y, double size) { return y + 0.36 * size; }

// What the chart shows of the blind guesses first..last (counted from 1):
// where the running rate starts, ends, and is lowest and highest in them, and
// the highest rates the meter needs in them for 1 in 20 and 1 in 100.
struct Stretch {
    std::int64_t first = 0, last = 0, lowAt = 0, highAt = 0;
    double firstRate = 0, lastRate = 0, low = 0, high = 0;
    double twenty = 0, hundred = 0;
};

// The journal in at most `columns` stretches of about equal length, in one
// pass and without storing anything per guess.
std::vector<Stretch> stretches(const std::vector<bool>& outcomes) {
    const auto guesses = std::int64_t(outcomes.size());
    const std::int64_t count = std::min<std::int64_t>(guesses, columns);
    std::vector<Stretch> result(static_cast<std::size_t>(count));
    std::int64_t right = 0, guess = 0;
    for (std::int64_t s = 0; s < count; ++s) {
        Stretch& stretch = result[std::size_t(s)];
        stretch.first = guess + 1;
        stretch.last = guesses * (s + 1) / count;
        for (; guess < stretch.last; ++guess) {
            right += outcomes[std::size_t(guess)] ? 1 : 0;
            const double rate = double(right) / double(guess + 1);
            if (guess + 1 == stretch.first) {
                stretch.firstRate = stretch.low = stretch.high = rate;
                stretch.lowAt = stretch.highAt = stretch.first;
            } else if (rate < stretch.low) {
                stretch.low = rate;
                stretch.lowAt = guess + 1;
            } else if (rate > stretch.high) {
                stretch.high = rate;
                stretch.highAt = guess + 1;
            }
            stretch.lastRate = rate;
        }
    }
    return result;
}

// Tick spacing of about a fifth of `span`, and no finer than `finest`: 1, 2
// or 5 times a power of ten.
double tickStep(double span, double finest) {
    const double raw = std::max(span / 5, finest);
    const double unit = std::pow(10.0, std::floor(std::log10(raw)));
    const double ratio = raw / unit;
    return unit * (ratio < 1.5 ? 1 : ratio < 3.5 ? 2 : ratio < 7.5 ? 5 : 10);
}

// The counts of guesses marked on the chart's axis, from 0 on.
std::vector<std::int64_t> guessTicks(std::int64_t guesses) {
    const double step = tickStep(double(guesses), 1);
    std::vector<std::int64_t> ticks;
    for (std::int64_t k = 0;; ++k) {
        const auto guess = std::int64_t(std::llround(double(k) * step));
        if (guess > guesses)
            return ticks;
        ticks.push_back(guess);
    }
}

// The rates the chart shows, from low to high, with a tick every step; both
// ends are ticks.
struct RateAxis {
    double low, high, step;
};

// Luck, and over the last nine tenths of the journal the player's rate and
// the rates the meter needs, so that the early swings, which may reach 0% and
// 100%, leave room for what matters.
RateAxis rateAxis(const std::vector<Stretch>& all, std::int64_t guesses) {
    const std::int64_t from = std::max<std::int64_t>(1, guesses / 10);
    double low = luck, high = luck;
    for (const Stretch& s : all) {
        if (s.last < from)
            continue;
        low = std::min(low, s.low);
        high = std::max(high, s.high);
        for (double log10Odds : {twentyOdds, hundredOdds})
            if (const double needed = game::rateNeeded(s.last, log10Odds); needed <= 1)
                high = std::max(high, needed);
    }
    if (high - low < 0.004)
        high = low + 0.004;
    const double margin = (high - low) * 0.08;
    low = std::max(0.0, low - margin);
    high = std::min(1.0, high + margin);
    // A range that reaches down to near nothing reads best from 0%.
    if (low < high / 2)
        low = 0;
    const double step = tickStep(100 * (high - low), 0.01) / 100;
    return {std::max(0.0, std::floor(low / step + 1e-9) * step),
            std::min(1.0, std::ceil(high / step - 1e-9) * step), step};
}

std::string chartTitle(std::int64_t guesses, std::int64_t games) {
    const std::string gamesText = counted(games, "game", "games");
    if (guesses == 0)
        return games > 0 ? "Tavelquin: " + gamesText + ", no blind guesses yet"
                         : "Tavelquin: no blind guesses yet";
    return "Tavelquin: " + counted(guesses, "blind guess", "blind guesses") +
           (games > 0 ? " in " + gamesText : "");
}

// The words of `text` in lines no wider than `room` at this size.
std::vector<std::string> wrapped(const std::string& text, double size, double room) {
    std::vector<std::string> lines(1);
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t to = text.find(' ', from);
        to = to == std::string::npos ? text.size() : to;
        const std::string word = text.substr(from, to - from);
        std::string& line = lines.back();
        if (line.empty() || textWidth(line + " " + word, size, false) <= room)
            line += (line.empty() ? "" : " ") + word;
        else
            lines.push_back(word);
        from = to + 1;
    }
    return lines;
}

Path outline(const Box& box, const Pen& pen, std::optional<Colour> fill = {}) {
    return {{{box.left, box.top},
             {box.right(), box.top},
             {box.right(), box.bottom()},
             {box.left, box.bottom()}},
            true,
            fill,
            pen,
            {}};
}

Path line(Point from, Point to, const Pen& pen, std::optional<Box> clip = {}) {
    return {{from, to}, false, {}, pen, clip};
}

// An entry of the legend: a sample of a line or a fill, or none, and words.
struct LegendEntry {
    std::string text;
    Colour colour;
    enum { Line, DashedLine, Fill, Words } sample;
};

// The entries one after another along a row centred on the picture.
void addLegend(Scene& scene, const std::vector<LegendEntry>& entries, double y) {
    constexpr double size = 13, sampleWidth = 22, gap = 6, spacing = 22;
    auto sampleSpace = [&](const LegendEntry& entry) {
        return entry.sample == LegendEntry::Words ? 0 : sampleWidth + gap;
    };
    auto spaceAfter = [&](const LegendEntry& entry) {
        return entry.sample == LegendEntry::Words ? gap : spacing;
    };
    double total = -spacing;
    for (const LegendEntry& entry : entries)
        total += sampleSpace(entry) + textWidth(entry.text, size, false) + spaceAfter(entry);
    double x = (width - total) / 2;
    for (const LegendEntry& entry : entries) {
        if (entry.sample == LegendEntry::Fill) {
            scene.items.push_back(
                outline({x, y - 6, sampleWidth, 12}, {frameGrey, 1}, entry.colour));
        } else if (entry.sample != LegendEntry::Words) {
            const bool solid = entry.sample == LegendEntry::Line;
            scene.items.push_back(line({x, y}, {x + sampleWidth, y},
                                       {entry.colour, solid ? 2.5 : 1.5,
                                        solid ? std::vector<double>{} : std::vector{6.0, 4.5}}));
        }
        x += sampleSpace(entry);
        scene.items.push_back(Text{entry.text, {x, baseline(y, size)}, size, ink});
        x += textWidth(entry.text, size, false) + spaceAfter(entry);
    }
}

// The meter's reading in words across the foot of the picture.
void addReading(Scene& scene, std::int64_t guesses, std::int64_t right) {
    constexpr double size = 15, lineHeight = 17.5;
    double y = 488 + 0.93 * size;
    for (const std::string& text :
         wrapped("The hunch meter now: " + game::hunchReading(guesses, right), size, columns)) {
        scene.items.push_back(Text{text, {frame.left, y}, size, ink});
        y += lineHeight;
    }
}

// Where the rate ends against luck, and whether and when it reached the bands.
std::string describe(const std::vector<bool>& outcomes, std::int64_t games, std::int64_t right) {
    const auto guesses = std::int64_t(outcomes.size());
    if (guesses == 0)
        return "No blind guesses to draw yet: the chart fills in as you guess while the panel is "
               "black.";
    std::string text = "Your rate of right blind guesses over " +
                       counted(guesses, "blind guess", "blind guesses") +
                       (games > 0 ? " in " + counted(games, "game", "games") : "") +
                       ", drawn against luck's 1 in 6 (16.67%) and the bands where the hunch "
                       "meter says 1 in 20 or rarer and 1 in 100 or rarer. It ends at " +
                       percent(double(right) / double(guesses)) + " (" + grouped(right) +
                       " right). ";
    const std::int64_t twenty = game::firstStating(outcomes, twentyOdds);
    const std::int64_t hundred = twenty ? game::firstStating(outcomes, hundredOdds) : 0;
    if (!twenty)
        return text + "It never reached the bands.";
    text += "It first reached the band for 1 in 20 or rarer at blind guess " + grouped(twenty);
    text += hundred
                ? ", and the band for 1 in 100 or rarer at blind guess " + grouped(hundred) + "."
                : ", and never the band for 1 in 100 or rarer.";
    const double odds = game::statedOddsLog10(guesses, right);
    return text +
           (odds >= hundredOdds - 1e-9  ? " At the end it is in the band for 1 in 100 or rarer."
            : odds >= twentyOdds - 1e-9 ? " At the end it is in the band for 1 in 20 or rarer."
                                        : " At the end it is below the bands.");
}

} // namespace

HunchChart hunchChart(const std::vector<bool>& outcomes, std::int64_t games) {
    HunchChart chart;
    Scene& scene = chart.scene;
    scene.width = width;
    scene.height = height;
    const auto guesses = std::int64_t(outcomes.size());
    const auto right = std::int64_t(std::count(outcomes.begin(), outcomes.end(), true));
    chart.title = chartTitle(guesses, games);
    chart.description = describe(outcomes, games, right);
    scene.items.push_back(
        Text{chart.title, {width / 2, baseline(29, 21)}, 21, ink, Anchor::middle, true});

    if (guesses == 0) {
        scene.items.push_back(outline(frame, {frameGrey, 1}));
        const double middle = frame.top + frame.height / 2;
        for (auto [text, y] :
             {std::pair{"No blind guesses to draw yet.", middle - 11},
              {"The picture fills in as you guess while the panel is black.", middle + 11}})
            scene.items.push_back(
                Text{text, {width / 2, baseline(y, 18)}, 18, ink, Anchor::middle});
        addReading(scene, guesses, right);
        return chart;
    }

    std::vector<Stretch> all = stretches(outcomes);
    const RateAxis axis = rateAxis(all, guesses);
    const double low = axis.low, high = axis.high;
    // The band to within half a pixel.
    const double tolerance = 0.5 * (high - low) / frame.height;
    for (Stretch& s : all) {
        s.twenty = game::highestRateNeeded(s.first, s.last, twentyOdds, tolerance);
        s.hundred = game::highestRateNeeded(s.first, s.last, hundredOdds, tolerance);
    }
    auto px = [&](double guess) { return frame.left + frame.width * guess / double(guesses); };
    auto py = [&](double rate) {
        return frame.bottom() - frame.height * (rate - low) / (high - low);
    };
    const double luckY = py(luck);

    // The band's edge: over a stretch of several guesses flat across its
    // pixel column; from one guess to the next a straight line, except where
    // the meter first can state its odds at all.
    auto bandEdge = [&](double Stretch::*rate) {
        std::vector<Point> edge{{frame.left, py(unreachable)}};
        for (const Stretch& s : all) {
            const double y = py(s.*rate);
            if (s.first < s.last) {
                edge.push_back({px(double(s.first - 1)), y});
                edge.push_back({px(double(s.last)), y});
            } else {
                if (s.*rate < unreachable && edge.back().y == py(unreachable))
                    edge.push_back({px(double(s.last)), py(unreachable)});
                edge.push_back({px(double(s.last)), y});
            }
        }
        return edge;
    };
    const std::vector<Point> twentyEdgeLine = bandEdge(&Stretch::twenty);
    const std::vector<Point> hundredEdgeLine = bandEdge(&Stretch::hundred);
    auto zoneBelow = [&](std::vector<Point> edge, Colour fill) {
        edge.push_back({frame.right(), luckY});
        edge.push_back({frame.left, luckY});
        return Path{std::move(edge), true, fill, {}, frame};
    };
    scene.items.push_back(Path{{{frame.left, frame.top},
                                {frame.right(), frame.top},
                                {frame.right(), luckY},
                                {frame.left, luckY}},
                               true,
                               hundredFill,
                               {},
                               frame});
    scene.items.push_back(zoneBelow(hundredEdgeLine, twentyFill));
    scene.items.push_back(zoneBelow(twentyEdgeLine, belowTwentyFill));
    scene.items.push_back(Path{twentyEdgeLine, false, {}, Pen{twentyEdge, 1.2}, frame});
    scene.items.push_back(Path{hundredEdgeLine, false, {}, Pen{hundredEdge, 1.5}, frame});

    // Grid lines and ticks.
    const double rateStep = 100 * axis.step;
    const int decimals = rateStep >= 1 ? 0 : int(std::ceil(-std::log10(rateStep) - 1e-9));
    constexpr double tickSize = 13;
    for (long k = std::lround(low / axis.step); k <= std::lround(high / axis.step); ++k) {
        const double percentage = double(k) * rateStep;
        const double y = std::round(py(percentage / 100)) + 0.5;
        scene.items.push_back(line({frame.left, y}, {frame.right(), y}, {gridInk, 1}));
        scene.items.push_back(Text{fixed(percentage, decimals) + "%",
                                   {frame.left - 8, baseline(y, tickSize)},
                                   tickSize,
                                   ink,
                                   Anchor::end});
    }
    for (const std::int64_t guess : guessTicks(guesses)) {
        const double x = std::round(px(double(guess))) + 0.5;
        scene.items.push_back(line({x, frame.top}, {x, frame.bottom() + 4}, {gridInk, 1}));
        // Centred under its tick, but inside the picture.
        const std::string label = grouped(guess);
        const double half = textWidth(label, tickSize, false) / 2 + 1;
        scene.items.push_back(Text{
            label,
            {std::clamp(x, half + 2, width - half - 2), baseline(frame.bottom() + 14, tickSize)},
            tickSize,
            ink,
            Anchor::middle});
    }

    // The frame under the lines, which may run along it.
    scene.items.push_back(outline(
        {frame.left - 0.5, frame.top - 0.5, frame.width + 1, frame.height + 1}, {frameGrey, 1}));
    scene.items.push_back(
        line({frame.left, luckY}, {frame.right(), luckY}, {luckLine, 1.5, {7.5, 4.5}}, frame));

    // The running rate at the first, lowest, highest and last guess of each
    // stretch, in the order they came, so that no swing inside a pixel column
    // is lost. Room for the whole width of the line where it runs along the top
    // or the bottom at 100% or 0%, and for its last dot at the right edge.
    const double above = high >= 1 ? 4 : 0, below = low <= 0 ? 4 : 0;
    const Box rateClip{frame.left, frame.top - above, frame.width + 4,
                       frame.height + above + below};
    Path rateLine{{}, false, {}, Pen{rateBlue, 2.5, {}, true}, rateClip};
    for (const Stretch& s : all) {
        std::pair<std::int64_t, double> points[] = {
            {s.first, s.firstRate}, {s.lowAt, s.low}, {s.highAt, s.high}, {s.last, s.lastRate}};
        std::sort(std::begin(points), std::end(points),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < std::size(points); ++i)
            if (i == 0 || points[i].first != points[i - 1].first)
                rateLine.points.push_back({px(double(points[i].first)), py(points[i].second)});
    }
    // Few enough guesses to see one by one: a dot at each.
    const std::vector<Point> dots = guesses <= 60 ? rateLine.points : std::vector<Point>{};
    scene.items.push_back(std::move(rateLine));
    if (!dots.empty())
        scene.items.push_back(Dots{dots, 3.5, rateBlue, rateClip});

    scene.items.push_back(Text{"Blind guesses so far",
                               {frame.left + frame.width / 2, baseline(frame.bottom() + 34, 14)},
                               14,
                               ink,
                               Anchor::middle});
    scene.items.push_back(Text{"Share right so far",
                               {baseline(18, 14), frame.top + frame.height / 2},
                               14,
                               ink,
                               Anchor::middle,
                               false,
                               true});
    addLegend(scene,
              {{"Your rate of right blind guesses", rateBlue, LegendEntry::Line},
               {"Luck: 1 in 6 (16.7%)", luckLine, LegendEntry::DashedLine}},
              452);
    addLegend(scene,
              {{"Where your rate runs, the meter says:", ink, LegendEntry::Words},
               {"under 1 in 20", belowTwentyFill, LegendEntry::Fill},
               {"1 in 20 or rarer", twentyFill, LegendEntry::Fill},
               {"1 in 100 or rarer", hundredFill, LegendEntry::Fill}},
              471);
    addReading(scene, guesses, right);

    // The chart's numbers at each mark of its axis, and at the end.
    std::vector<std::int64_t> marks = guessTicks(guesses);
    marks.erase(marks.begin());
    if (marks.empty() || marks.back() != guesses)
        marks.push_back(guesses);
    std::int64_t rightSoFar = 0, guess = 0;
    for (const std::int64_t mark : marks) {
        for (; guess < mark; ++guess)
            rightSoFar += outcomes[std::size_t(guess)] ? 1 : 0;
        chart.rows.push_back({mark, rightSoFar, game::rateNeeded(mark, twentyOdds),
                              game::rateNeeded(mark, hundredOdds)});
    }
    return chart;
}

} // namespace report
