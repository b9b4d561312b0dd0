// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What `tavelquin --report` prints of a journal, without a display.
#pragma once

#include "command_line.h"

#include <string>

namespace qtui {

// Prints the report of the journal at path on stdout: when it began, its
// games, guesses, blind guesses and right ones, and the hunch meter's reading
// over all of them; with options.plot, also draws them there, as SVG or a PNG
// image; with options.page, also writes them there as an HTML page, or, when
// there is no journal at path yet, a page that says how to start one. named:
// whether the command line named the journal, rather than leaving it to the
// default place. Reads the journal without locking or changing it. Returns the
// exit status: 0, or 1 after one line on stderr for a journal that cannot be
// read or a plot or page that cannot be written.
int printReport(const std::string& path, bool named, const Options& options);

} // namespace qtui
