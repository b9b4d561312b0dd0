// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a report says of a journal, the same under every front end.
#pragma once

#include "scan.h"

#include <string>

namespace report {

// One line on the torn rows a journal skips, or nothing when it has none.
std::string tornRowsNote(const std::string& path, const journal::Tally& tally);

// When the journal began: "2026-12-08 03:34:05 UTC", or "no guess yet".
std::string beganText(const journal::Tally& tally);

// The hunch meter's reading over the whole journal.
std::string readingText(const journal::Tally& tally);

// The report of the journal at path, line by line: when it began, its games,
// guesses, blind guesses and right ones, and the hunch meter's reading over
// all of them.
std::string reportText(const std::string& path, const journal::Tally& tally);

} // namespace report
