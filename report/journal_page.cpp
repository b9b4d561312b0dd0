// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "journal_page.h"

#include "colour_table.h"
#include "html_page.h"
#include "journal_report.h"
#include "meter_bands.h"
#include "svg_writer.h"
#include "text_format.h"

#include <initializer_list>
#include <utility>

namespace report {
namespace {

constexpr const char* title = "Tavelquin: your hunch for colours";

std::string cell(const char* tag, const std::string& text, const char* scope = nullptr) {
    return std::string("<") + tag + (scope ? std::string(" scope=\"") + scope + "\"" : "") + ">" +
           text + "</" + tag + ">";
}

PageSection meterSection(const journal::Tally& tally) {
    return {"meter", "The hunch meter",
            "<p id=\"reading\">" + escaped(readingText(tally)) +
                "</p>\n<p>Only blind guesses count: the ones made while the panel is black. "
                "Luck alone gets 1 in 6 of them right, and the meter's odds hold however often "
                "you look and whenever you stop.</p>"};
}

std::string rateOrReach(double rate) { return rate <= 1 ? percent(rate) : "out of reach"; }

PageSection chartSection(const HunchChart& chart) {
    std::string html = "<figure>\n" +
                       svgElement(chart.scene, "hunch", {chart.title, chart.description}) +
                       "\n</figure>\n";
    if (chart.rows.empty())
        return {"chart", "Your rate against luck", html};
    html += "<p>The blue line is your share of right blind guesses so far; the dashed line is "
            "luck's 1 in 6. Where the line runs in the light amber band the meter says 1 in 20 "
            "or rarer, in the dark amber band 1 in 100 or rarer.</p>\n"
            "<table>\n<caption>Your rate at each mark of the chart, and the rates at which the "
            "meter says 1 in 20 and 1 in 100 or rarer</caption>\n<thead><tr>" +
            cell("th", "Blind guesses", "col") + cell("th", "Right", "col") +
            cell("th", "Your rate", "col") + cell("th", "Rate for 1 in 20", "col") +
            cell("th", "Rate for 1 in 100", "col") + "</tr></thead>\n<tbody>\n";
    for (const ChartRow& row : chart.rows)
        html += "<tr>" + cell("th", grouped(row.guesses), "row") + cell("td", grouped(row.right)) +
                cell("td", percent(double(row.right) / double(row.guesses))) +
                cell("td", rateOrReach(row.twentyRate)) + cell("td", rateOrReach(row.hundredRate)) +
                "</tr>\n";
    return {"chart", "Your rate against luck", html + "</tbody>\n</table>"};
}

// How the secrets of the blind guesses fell, per colour, and whether the
// draw looks fair, in the report's words.
PageSection drawSection(const game::DrawFairness& draw) {
    std::string html = "<p id=\"draw\">" + escaped(draw.reading()) + "</p>";
    if (draw.secrets() == 0)
        return {"fairness", "Is the draw fair?", html};
    html += "\n<table>\n<caption>How the secrets of your blind guesses fell, against a fair "
            "draw's 1 in 6 each</caption>\n<thead><tr>" +
            cell("th", "Secret", "col") + cell("th", "Drawn", "col") + cell("th", "Share", "col") +
            "</tr></thead>\n<tbody>\n";
    const auto row = [&](const std::string& name, std::int64_t count, std::int64_t of) {
        html += "<tr>" + cell("th", name, "row") + cell("td", grouped(count)) +
                cell("td", percent(double(count) / double(of))) + "</tr>\n";
    };
    for (const game::ColourRow& colour : game::ColourTable) {
        std::string name(colour.seenAs);
        name[0] = char(name[0] - 'a' + 'A');
        row(name, draw.count(colour.number), draw.secrets());
    }
    if (draw.secrets() > 1)
        row("The same as the one before", draw.repeats(), draw.secrets() - 1);
    return {"fairness", "Is the draw fair?", html + "</tbody>\n</table>"};
}

PageSection journalSection(const std::string& path, const journal::Tally& tally) {
    std::string html =
        "<table class=\"facts\">\n<caption>What the journal holds</caption>\n<tbody>\n";
    for (const auto& [name, value] :
         {std::pair{"Journal", "<span class=\"path\">" + escaped(path) + "</span>"},
          {"Began", escaped(beganText(tally))},
          {"Games", grouped(tally.games)},
          {"Guesses", grouped(tally.rows)},
          {"Blind guesses", grouped(tally.blindGuesses)},
          {"Right of those", grouped(tally.rightBlindGuesses)}})
        html += "<tr>" + cell("th", name, "row") + cell("td", value) + "</tr>\n";
    html += "</tbody>\n</table>";
    if (const std::string note = tornRowsNote(path, tally); !note.empty())
        html += "\n<p>The " + escaped(note) + ".</p>";
    return {"journal", "The journal", html};
}

} // namespace

std::string journalPage(const std::string& path, const journal::Tally& tally,
                        const HunchChart& chart, const game::DrawFairness& draw) {
    return htmlPage(
        title,
        "<p>What your journal of guesses says of your hunch, read from <span "
        "class=\"path\">" +
            escaped(path) + "</span>.</p>",
        {meterSection(tally), chartSection(chart), drawSection(draw), journalSection(path, tally)});
}

std::string noJournalPage(const std::string& path, const std::string& play,
                          const std::string& page) {
    return htmlPage(
        "Tavelquin: no journal yet",
        "<p>There is no journal at <span class=\"path\">" + escaped(path) +
            "</span> yet, so there is nothing to show.</p>",
        {{"start", "How to start one",
          "<p>Play with a journal: <code>" + escaped(play) +
              "</code>. It keeps every guess, from one game to the next, and the hunch meter "
              "goes on over all of them.</p>\n<p>Only blind guesses count for the meter: the "
              "ones made while the panel is black. A weak hunch needs more of them than one "
              "evening holds, and the journal adds them up.</p>\n<p>Then make this page again: "
              "<code>" +
              escaped(page) + "</code>.</p>"}});
}

} // namespace report
