// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// `tavelquin --report` under every front end, and the journal's page that a
// key in the game opens: what they read, write and print, and their statuses.
#pragma once

#include "scene.h"

#include <optional>
#include <string>

namespace report {

// What the command line asks of a report.
struct ReportRequest {
    std::string journal; // the journal's path
    bool named = false;  // whether the command line gave that path
    std::optional<std::string> plot;
    // The page's path; empty for the page beside the journal, opened in the
    // browser.
    std::optional<std::string> page;
};

// What a report needs of its front end.
class ReportFrontEnd {
public:
    virtual ~ReportFrontEnd() = default;
    // Text for standard output.
    virtual void print(const std::string& text) = 0;
    // One line for standard error, without the program's name.
    virtual void complain(const std::string& line) = 0;
    // Paints the scene as a PNG image at path: nothing, or why it could not.
    virtual std::string savePng(const Scene& scene, const std::string& path) = 0;
    // Opens the page at path in the player's browser: nothing, or why it
    // could not.
    virtual std::string openPage(const std::string& path) = 0;
};

// Prints the report of the journal: when it began, its games, guesses, blind
// guesses and right ones, the hunch meter's reading over all of them and the
// check of the draw, after a line on any torn rows; with a plot, also draws
// them there, as SVG or a PNG image; with a page, also writes them there as
// an HTML page, or, when there is no journal yet, a page that says how to
// start one (beside the journal, in its folder, made for the player alone if
// missing). Reads the journal once, without locking or changing it. Returns
// the exit status: 0, or 1 after one line for a journal that cannot be read,
// or a plot or page that cannot be written or opened.
int runReport(const ReportRequest& request, ReportFrontEnd& frontEnd);

// Where the page beside the journal at path goes: the same folder and name,
// with .html for its extension (journal.csv: journal.html).
std::string pageBeside(const std::string& journalPath);

// Writes the page of the journal at journalPath beside it, as
// `--report --page` does, for the game's key: nothing, with the page's path
// in `page`, or the line that says why it could not.
std::string writePageBeside(const std::string& journalPath, std::string& page);

} // namespace report
