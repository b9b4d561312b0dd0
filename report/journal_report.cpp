// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "journal_report.h"

#include "hunch_meter.h"
#include "utc_time.h"

#include <algorithm>

namespace report {

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

std::string reportText(const std::string& path, const journal::Tally& tally) {
    return "Journal:        " + path + "\nBegan:          " + beganText(tally) +
           "\nGames:          " + std::to_string(tally.games) +
           "\nGuesses:        " + std::to_string(tally.rows) +
           "\nBlind guesses:  " + std::to_string(tally.blindGuesses) +
           "\nRight of those: " + std::to_string(tally.rightBlindGuesses) + "\n" +
           readingText(tally) + "\n";
}

} // namespace report
