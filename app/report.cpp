// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include "hunch_meter.h"
#include "hunch_plot.h"
#include "journal_error.h"
#include "journal_file.h"
#include "utc_time.h"

#include <QGuiApplication>
#include <QImageWriter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace app {

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

std::string tornRowsNote(const std::string& path, const journal::Tally& tally) {
    if (tally.tornRows == 0)
        return {};
    const auto& lines = tally.tornLines;
    // "line 7", "lines 7 and 9", "lines 7, 9, 12 and 4 more".
    const std::size_t named = std::min<std::size_t>(lines.size(), 3);
    std::string which = tally.tornRows == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < named; ++i)
        which += (i == 0                                                    ? ""
                  : i + 1 == named && tally.tornRows == std::int64_t(named) ? " and "
                                                                            : ", ") +
                 std::to_string(lines[i]);
    if (tally.tornRows > std::int64_t(named))
        which += " and " + std::to_string(tally.tornRows - std::int64_t(named)) + " more";
    return "journal " + path + ": " + which + (tally.tornRows == 1 ? " was" : " were") +
           " cut short, by a crash or a full disk; skipped, never counted";
}

int printReport(const std::string& path, const std::optional<std::string>& plot) {
    journal::Tally tally;
    std::vector<bool> outcomes; // of the blind guesses, for the plot
    try {
        tally = journal::scanJournal(path, [&](const journal::Row& row) {
            if (plot && row.blind)
                outcomes.push_back(row.right);
        });
    } catch (const journal::JournalError& error) {
        std::fprintf(stderr, "tavelquin: %s\n", error.what());
        return 1;
    }
    if (const std::string note = tornRowsNote(path, tally); !note.empty())
        std::fprintf(stderr, "tavelquin: %s\n", note.c_str());
    std::string began = "no guess yet";
    if (tally.firstTime) {
        char time[journal::timeLength];
        journal::formatTime(*tally.firstTime, time);
        // 2026-12-08T03:34:05.123Z as 2026-12-08 03:34:05 UTC
        began = std::string(time, 10) + " " + std::string(time + 11, 8) + " UTC";
    }
    if (plot && !savePlot(outcomes, tally.games, *plot))
        return 1;
    const game::HunchMeter meter(tally.games, tally.blindGuesses, tally.rightBlindGuesses);
    std::printf("Journal:        %s\nBegan:          %s\nGames:          %lld\n"
                "Guesses:        %lld\nBlind guesses:  %lld\nRight of those: %lld\n%s\n",
                path.c_str(), began.c_str(), static_cast<long long>(tally.games),
                static_cast<long long>(tally.rows), static_cast<long long>(tally.blindGuesses),
                static_cast<long long>(tally.rightBlindGuesses), meter.reading().c_str());
    if (plot)
        std::printf("Plot:           %s\n", plot->c_str());
    return 0;
}

} // namespace app
