// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line, read before anything opens a display: --version, --help,
// --journal, --report, --plot, --page and --allow-network-listening are the
// game's own options; Qt's own pass through to QApplication, once their files
// and plugins are found safe.
#pragma once

#include <optional>
#include <string>

namespace qtui {

// What the command line asks of the game.
struct Options {
    // --journal[=FILE]: keep every guess in a journal there; empty for the
    // default place.
    std::optional<std::string> journal;
    // --report[=FILE]: print a journal's report instead of playing; empty for
    // the journal that --journal names, or else the default one.
    std::optional<std::string> report;
    // --plot=FILE, with --report: also draw the journal there, as SVG when
    // FILE ends in .svg and as a PNG image otherwise.
    std::optional<std::string> plot;
    // --page=FILE, with --report: also write the report as an HTML page there.
    std::optional<std::string> page;
};

// Answers --version or --help on stdout and returns 0; names a bad option, a
// stray argument or a file that Qt would read without end in one line on
// stderr and returns 2; refuses a platform or plugin that would listen on the
// network, unless allowed, in one line and returns 1; returns nothing when the
// game should go on, with what it asks for in options.
std::optional<int> handleCommandLine(int argc, char* argv[], Options& options);

} // namespace qtui
