// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What `tavelquin --report` prints of a journal, without a display.
#pragma once

#include <optional>
#include <string>

namespace qtui {

// Prints the report of the journal at path on stdout: when it began, its
// games, guesses, blind guesses and right ones, and the hunch meter's reading
// over all of them; with plot, also draws them there as a PNG image. Reads the
// journal without locking or changing it. Returns the exit status: 0, or 1
// after one line on stderr for a journal that cannot be read or a plot that
// cannot be written.
int printReport(const std::string& path, const std::optional<std::string>& plot);

} // namespace qtui
