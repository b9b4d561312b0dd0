// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include "hunch_plot.h"
#include "journal_error.h"
#include "journal_file.h"
#include "journal_report.h"

#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>
#include <vector>

namespace qtui {

namespace {

// Draws the plot on Qt's offscreen platform, which needs no display, with no
// plugin that the environment names.
bool savePlot(const std::vector<bool>& outcomes, std::int64_t games, const std::string& path) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_GENERIC_PLUGINS");
    int argc = 1;
    char name[] = "tavelquin";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    QImageWriter writer(QString::fromStdString(path), "png");
    if (writer.write(hunchPlot(outcomes, games)))
        return true;
    std::fprintf(stderr, "tavelquin: cannot write the plot %s: %s\n", path.c_str(),
                 qPrintable(writer.errorString()));
    return false;
}

} // namespace

int printReport(const std::string& path, const std::optional<std::string>& plot) {
    journal::Tally tally;
    std::vector<bool> outcomes; // of the blind guesses, for the plot
    game::DrawFairness draw;    // of the blind guesses' secrets
    try {
        tally = journal::scanJournal(path, [&](const journal::Row& row) {
            if (plot && row.blind)
                outcomes.push_back(row.right);
            report::countSecret(draw, row);
        });
    } catch (const journal::JournalError& error) {
        std::fprintf(stderr, "tavelquin: %s\n", error.what());
        return 1;
    }
    if (const std::string note = report::tornRowsNote(path, tally); !note.empty())
        std::fprintf(stderr, "tavelquin: %s\n", note.c_str());
    if (plot && !savePlot(outcomes, tally.games, *plot))
        return 1;
    std::fputs(report::reportText(path, tally, draw).c_str(), stdout);
    if (plot)
        std::printf("Plot:           %s\n", plot->c_str());
    return 0;
}

} // namespace qtui
