// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hunch_chart.h"
#include "journal_page.h"
#include "report_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace {

// A journal's path is the player's to choose: in a page, and in the words of
// its chart, markup in it must show as text, never become part of the page.
TEST(JournalPage, ShowsMarkupInAPathAsText) {
    const std::string path = "<b>&\"x</b>.csv", shown = "&lt;b&gt;&amp;&quot;x&lt;/b&gt;.csv";
    journal::Tally tally;
    tally.games = tally.rows = tally.blindGuesses = 1;
    const std::string pages[] = {
        report::journalPage(path, tally, report::hunchChart({false}, 1), game::DrawFairness()),
        report::noJournalPage(path, "tavelquin --journal='" + path + "'", "tavelquin --report")};
    for (const std::string& page : pages) {
        EXPECT_NE(page.find(shown), std::string::npos) << page;
        EXPECT_EQ(page.find("<b>"), std::string::npos) << page;
    }
}

// However long the journal, the rate's line keeps a few points per pixel
// column, each on the running rate at its guess, and among them the highest
// and lowest rate of all; the table's counts are those of each mark.
TEST(HunchChart, ThinnedRateLineLosesNoSwingAndStaysSmall) {
    std::mt19937 random(3);
    for (const auto& [guesses, rate] : {std::pair{40, 0.3}, {5000, 1.0 / 6}, {300000, 0.2}}) {
        std::bernoulli_distribution hit(rate);
        std::vector<bool> outcomes;
        std::vector<double> rates{0}; // the running rate after each guess
        for (int guess = 1, right = 0; guess <= guesses; ++guess) {
            outcomes.push_back(hit(random));
            right += outcomes.back() ? 1 : 0;
            rates.push_back(double(right) / guess);
        }
        const report::HunchChart chart = report::hunchChart(outcomes, 2);
        const report::Path* line = nullptr; // the first in the rate's blue; the legend's follows
        for (const report::Item& item : chart.scene.items)
            if (const auto* path = std::get_if<report::Path>(&item);
                !line && path && path->pen && path->pen->colour == 0xFF0F4CB8)
                line = path;
        ASSERT_NE(line, nullptr);
        const auto& points = line->points;
        EXPECT_LE(points.size(), 4 * 832u) << guesses;
        // The first point is guess 1 and the last the last guess: x is linear
        // in the guess, and y in the rate.
        const double unit = (points.back().x - points.front().x) / (guesses - 1);
        auto guessAt = [&](const report::Point& p) {
            return std::size_t(std::lround(1 + (p.x - points.front().x) / unit));
        };
        const auto [lowest, highest] = std::minmax_element(rates.begin() + 1, rates.end());
        const auto [top, bottom] = std::minmax_element(
            points.begin(), points.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
        EXPECT_EQ(rates[guessAt(*top)], *highest) << guesses;
        EXPECT_EQ(rates[guessAt(*bottom)], *lowest) << guesses;
        const double scale = (bottom->y - top->y) / (*highest - *lowest);
        for (const report::Point& point : points)
            ASSERT_NEAR(point.y, top->y + (*highest - rates[guessAt(point)]) * scale, 1e-6)
                << guesses << " guesses, at guess " << guessAt(point);
        for (const report::ChartRow& row : chart.rows)
            EXPECT_EQ(row.right, std::llround(rates[std::size_t(row.guesses)] * row.guesses));
        EXPECT_EQ(chart.rows.back().guesses, guesses);
    }
}

// The page beside a journal: its name with .html for its extension, in its
// folder; a journal itself called .html keeps its name and is never
// overwritten by its page.
TEST(ReportCommand, PageBesideTheJournalNeverItsJournal) {
    for (const auto& [journal, page] : {std::pair{"journal.csv", "journal.html"},
                                        {"/a.b/j", "/a.b/j.html"},
                                        {"C:\\a.b\\j", "C:\\a.b\\j.html"},
                                        {"/s/.journal", "/s/.journal.html"},
                                        {"x.HTML", "x.HTML.html"}})
        EXPECT_EQ(report::pageBeside(journal), page) << journal;
}

// A player with no journal yet: --page writes the page on how to start one in
// the journal's folder, made for it, and opens it, a failure to open being
// one line and status 1; --page=FILE writes FILE, whose command names it, and
// opens nothing.
TEST(ReportCommand, PageForNoJournalYetWrittenAndOpened) {
    struct FrontEnd : report::ReportFrontEnd {
        void print(const std::string& text) override { printed += text; }
        void complain(const std::string& line) override { lines += line + "\n"; }
        std::string savePng(const report::Scene&, const std::string&) override { return "no"; }
        std::string openPage(const std::string& path) override {
            opened += path;
            return refusal;
        }
        std::string printed, lines, opened, refusal;
    };
    const std::string dir =
        (std::filesystem::temp_directory_path() / "tavelquin-report-test").generic_string();
    std::filesystem::remove_all(dir);
    const std::string journal = dir + "/new/j.csv", page = dir + "/new/j.html";
    const std::string file = dir + "/p.html";
    for (const std::string refusal : {"", "no browser"}) {
        FrontEnd frontEnd;
        frontEnd.refusal = refusal;
        EXPECT_EQ(report::runReport({journal, true, {}, ""}, frontEnd), refusal.empty() ? 0 : 1);
        EXPECT_EQ(frontEnd.opened, page);
        EXPECT_EQ(frontEnd.lines,
                  refusal.empty() ? ""
                                  : "cannot open the page " + page + " in a browser: no browser\n");
        EXPECT_EQ(frontEnd.printed, "Journal:        " + journal +
                                        ", none yet: playing with --journal starts it\n"
                                        "Page:           " +
                                        page + "\n");
        EXPECT_TRUE(std::filesystem::is_regular_file(page));
    }
    FrontEnd frontEnd;
    EXPECT_EQ(report::runReport({journal, false, {}, file}, frontEnd), 0);
    std::ifstream written(file);
    const std::string text((std::istreambuf_iterator<char>(written)), {});
    written.close();
    EXPECT_NE(text.find("tavelquin --report --page=" + file), std::string::npos) << text;
    EXPECT_EQ(frontEnd.opened, "");
    std::filesystem::remove_all(dir);
}

} // namespace
