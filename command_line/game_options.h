// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's own options, the same on every system: -h/--help, --version,
// --journal, --report, --plot and --page, their help, the usage errors and the
// exit statuses. A front end adds its own options to the same table.
#pragma once

#include "option_parser.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

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
    // --page[=FILE], with --report: also write the report as an HTML page
    // there; empty for the page beside the journal, opened in the browser.
    std::optional<std::string> page;
};

// The table of the game's options, for an OptionParser.
std::vector<Option> gameOptions();

// What a front end adds to the help: paragraphs after the options, and its
// own reasons for exit statuses 1 and 2, each a phrase ("no display could be
// opened"), those of status 1 before and after the game's own.
struct FrontEndHelp {
    std::vector<std::string> notes;
    std::vector<std::string> failuresBefore, failuresAfter;
    std::vector<std::string> usageErrors;
};

// An answer the program gives instead of playing.
struct Answer {
    int status = 0;
    std::string out;   // for standard output: the help or the version
    std::string error; // one line for standard error, ending in a line break
};

// Reads the arguments (the program's name first) with parser, which holds
// gameOptions() and any of the front end's: fills in options and returns
// nothing when the program should go on; otherwise the help or the version
// (status 0), or a usage error (status 2), which says what was wrong and to
// try --help.
std::optional<Answer> readOptions(OptionParser& parser, const std::vector<std::string>& arguments,
                                  const FrontEndHelp& help, Options& options);

// A usage error's answer: "tavelquin: WHAT Try 'tavelquin --help'.", status 2.
Answer usageError(const std::string& what);

// The journal that options mean: --report=FILE, else --journal=FILE, else the
// default place, which may be a JournalError. named: whether the command line
// gave its path.
struct ChosenJournal {
    std::string path;
    bool named = false;
};
ChosenJournal chosenJournal(const Options& options);

} // namespace cli
