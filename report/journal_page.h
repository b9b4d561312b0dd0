// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A journal's report as one HTML page that any browser shows, with no
// network and nothing beside it.
#pragma once

#include "draw_fairness.h"
#include "hunch_chart.h"
#include "scan.h"

#include <string>

namespace report {

// The page of the journal at path: the hunch meter's reading over all of it
// in the report's words, the chart of the player's rate against luck with its
// numbers in a table, how the secrets fell and whether the draw looks fair
// (`draw`, fed as report::countSecret says), and what the journal holds and
// since when.
std::string journalPage(const std::string& path, const journal::Tally& tally,
                        const HunchChart& chart, const game::DrawFairness& draw);

// The page for a journal that is not there yet: what it would hold and how to
// start it. play: the command that plays with it; page: the one that makes
// this page again.
std::string noJournalPage(const std::string& path, const std::string& play,
                          const std::string& page);

} // namespace report
