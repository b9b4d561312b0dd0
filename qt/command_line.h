// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line on Linux, read before anything opens a display: the
// game's own options, as on every system, and --allow-network-listening; Qt's
// own pass through to QApplication, once their files and plugins are found
// safe.
#pragma once

#include "game_options.h"

#include <optional>

namespace qtui {

// Answers --version or --help on stdout and returns 0; names a bad option, a
// stray argument or a file that Qt would read without end in one line on
// stderr and returns 2; refuses a platform or plugin that would listen on the
// network, unless allowed, in one line and returns 1; returns nothing when the
// game should go on, with what it asks for in options.
std::optional<int> handleCommandLine(int argc, char* argv[], cli::Options& options);

} // namespace qtui
