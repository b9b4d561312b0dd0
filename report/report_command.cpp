// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report_command.h"

#include "hunch_chart.h"
#include "journal_error.h"
#include "journal_page.h"
#include "journal_report.h"
#include "svg_writer.h"
#include "system_output.h"

#include <algorithm>
#include <cctype>

namespace report {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// Writes the page of the journal at journalPath to pagePath: the journal's
// page from reading, or with no reading, the page on how to start one, whose
// commands name the journal when the command line did, and the page when it
// is not the one beside the journal. The page beside the journal is for the
// player alone, as the journal is, and its folder is made if missing.
// Returns nothing, or the line that says why it could not.
std::string writePage(const std::string& journalPath, bool named, const std::string& pagePath,
                      bool beside, const JournalReading* reading, const HunchChart& chart) {
    std::string reason;
    if (reading) {
        reason = writeFile(pagePath, journalPage(journalPath, reading->tally, chart, reading->draw),
                           beside);
    } else {
        const std::string journalOption = named ? "=" + commandWord(journalPath) : "";
        const std::string pageOption = beside ? "" : "=" + commandWord(pagePath);
        if (beside)
            reason = makeFolders(pagePath);
        if (reason.empty())
            reason = writeFile(
                pagePath,
                noJournalPage(journalPath, "tavelquin --journal" + journalOption,
                              "tavelquin --report" + journalOption + " --page" + pageOption),
                beside);
    }
    return reason.empty() ? reason : "cannot write the page " + pagePath + ": " + reason;
}

} // namespace

std::string pageBeside(const std::string& journalPath) {
    const std::size_t name = journalPath.find_last_of("/\\") + 1;
    std::size_t dot = journalPath.rfind('.');
    if (dot == std::string::npos || dot <= name)
        dot = journalPath.size();
    // A journal that is itself called .html keeps its name, and gets a page of its own.
    if (lowerCase(journalPath.substr(dot)) == ".html")
        dot = journalPath.size();
    return journalPath.substr(0, dot) + ".html";
}

int runReport(const ReportRequest& request, ReportFrontEnd& frontEnd) {
    const std::string& path = request.journal;
    // A page tells a player with no journal yet how to start one, where the
    // report alone says that the file is missing.
    const bool none = request.page && fileMissing(path);
    JournalReading journal;
    if (!none) {
        try {
            journal = readJournal(path);
        } catch (const journal::JournalError& error) {
            frontEnd.complain(error.what());
            return 1;
        }
    }
    if (const std::string note = tornRowsNote(path, journal.tally); !note.empty())
        frontEnd.complain(note);
    const bool beside = request.page && request.page->empty();
    const std::string page = beside ? pageBeside(path) : request.page.value_or("");
    if (request.plot || request.page) {
        const HunchChart chart = hunchChart(journal.outcomes, journal.tally.games);
        if (request.plot) {
            const std::string& plot = *request.plot;
            const std::string reason =
                lowerCase(plot).ends_with(".svg")
                    ? writeFile(plot, svgDocument(chart.scene, {chart.title, chart.description}))
                    : frontEnd.savePng(chart.scene, plot);
            if (!reason.empty()) {
                frontEnd.complain("cannot write the plot " + plot + ": " + reason);
                return 1;
            }
        }
        if (request.page) {
            const std::string failure =
                writePage(path, request.named, page, beside, none ? nullptr : &journal, chart);
            if (!failure.empty()) {
                frontEnd.complain(failure);
                return 1;
            }
        }
    }
    frontEnd.print(none ? "Journal:        " + path +
                              ", none yet: playing with --journal starts it\n"
                        : reportText(path, journal.tally, journal.draw));
    if (request.plot)
        frontEnd.print("Plot:           " + *request.plot + "\n");
    if (request.page)
        frontEnd.print("Page:           " + page + "\n");
    if (beside) {
        if (const std::string reason = frontEnd.openPage(page); !reason.empty()) {
            frontEnd.complain("cannot open the page " + page + " in a browser: " + reason);
            return 1;
        }
    }
    return 0;
}

std::string writePageBeside(const std::string& journalPath, std::string& page) {
    page = pageBeside(journalPath);
    JournalReading journal;
    const bool none = fileMissing(journalPath);
    if (!none) {
        try {
            journal = readJournal(journalPath);
        } catch (const journal::JournalError& error) {
            return error.what();
        }
    }
    return writePage(journalPath, false, page, true, none ? nullptr : &journal,
                     hunchChart(journal.outcomes, journal.tally.games));
}

} // namespace report
