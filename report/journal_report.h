// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a report says of a journal, the same under every front end.
#pragma once

#include "draw_fairness.h"
#include "scan.h"

#include <string>
#include <vector>

namespace report {

// A journal read once, without locking or changing it, for its report: the
// tally, the blind guesses' outcomes in order (true when right) for the chart,
// and the check of the draw over their secrets.
struct JournalReading {
    journal::Tally tally;
    std::vector<bool> outcomes;
    game::DrawFairness draw;
};

// Reads the journal at path; one that cannot be read is a JournalError.
JournalReading readJournal(const std::string& path);

// One line on the torn rows a journal skips, those that end in NUL bytes
// included, or nothing when it has none.
std::string tornRowsNote(const std::string& path, const journal::Tally& tally);

// Counts row's secret in draw if it was a draw of its own: the secret of a
// blind guess, once one had been drawn. A guess made while the colour shows
// is scored against the same secret as the blind guess before it.
void countSecret(game::DrawFairness& draw, const journal::Row& row);

// When the journal began: "2026-12-08 03:34:05 UTC", or "no guess yet".
std::string beganText(const journal::Tally& tally);

// The hunch meter's reading over the whole journal.
std::string readingText(const journal::Tally& tally);

// The report of the journal at path, line by line: when it began, its games,
// guesses, blind guesses and right ones, the hunch meter's reading over all
// of them, and the check of the draw over their secrets (`draw`, given each
// row in the journal's order through countSecret).
std::string reportText(const std::string& path, const journal::Tally& tally,
                       const game::DrawFairness& draw);

} // namespace report
