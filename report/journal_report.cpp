// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "journal_report.h"

#include "journal_file.h"

#include "hunch_meter.h"
#include "utc_time.h"

#include <algorithm>
#include <vector>

namespace report {

namespace {

// "line 7", "lines 7 and 9", "lines 7, 9, 12 and 4 more".
std::string whichLines(std::int64_t count, const std::vector<std::int64_t>& lines) {
    const std::size_t named = std::min<std::size_t>(lines.size(), 3);
    std::string which = count == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < named; ++i)
        which += (i == 0                                           ? ""
                  : i + 1 == named && count == std::int64_t(named) ? " and "
                                                                   : ", ") +
                 std::to_string(lines[i]);
    if (count > std::int64_t(named))
        which += " and " + std::to_string(count - std::int64_t(named)) + " more";
    return which;
}

} // namespace

std::string tornRowsNote(const std::string& path, const journal::Tally& tally) {
    std::string torn, zeroed;
    if (tally.tornRows > 0)
        torn = whichLines(tally.tornRows, tally.tornLines) +
               (tally.tornRows == 1 ? " was" : " were") + " cut short, by a crash or a full disk";
    if (tally.zeroedRows > 0)
        zeroed = whichLines(tally.zeroedRows, tally.zeroedLines) +
                 (tally.zeroedRows == 1 ? " ends" : " end") +
                 " in NUL bytes, left by a crash or a power cut";
    if (torn.empty() && zeroed.empty())
        return {};
    return "journal " + path + ": " + torn + (torn.empty() || zeroed.empty() ? "" : ", and ") +
           zeroed + "; skipped, never counted";
}

void countSecret(game::DrawFairness& draw, const journal::Row& row) {
    if (row.blind && row.secret != 0)
        draw.add(row.secret);
}

JournalReading readJournal(const std::string& path) {
    JournalReading reading;
    reading.tally = journal::scanJournal(path, [&reading](const journal::Row& row) {
        if (row.blind)
            reading.outcomes.push_back(row.right);
        countSecret(reading.draw, row);
    });
    return reading;
}

std::string beganText(const journal::Tally& tally) {
    if (!tally.firstTime)
        return "no guess yet";
    char time[journal::timeLength];
    journal::formatTime(*tally.firstTime, time);
    // 2026-12-08T03:34:05.123Z as 2026-12-08 03:34:05 UTC
    return std::string(time, 10) + " " + std::string(time + 11, 8) + " UTC";
}

std::string readingText(const journal::Tally& tally) {
    return game::HunchMeter(tally.games, tally.blindGuesses, tally.rightBlindGuesses).reading();
}

std::string reportText(const std::string& path, const journal::Tally& tally,
                       const game::DrawFairness& draw) {
    return "Journal:        " + path + "\nBegan:          " + beganText(tally) +
           "\nGames:          " + std::to_string(tally.games) +
           "\nGuesses:        " + std::to_string(tally.rows) +
           "\nBlind guesses:  " + std::to_string(tally.blindGuesses) +
           "\nRight of those: " + std::to_string(tally.rightBlindGuesses) + "\n" +
           readingText(tally) + "\n" + draw.reading() + "\n";
}

} // namespace report
