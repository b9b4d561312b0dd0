// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A command line read against a table of options, and the table shown as
// help. Options start with two dashes or one (--journal, -platform), as Qt
// programs take them, and the usage errors and the help's layout are those
// that Qt's own parser gives, so that every front end reads alike.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// What an option takes after its name.
enum class Takes {
    nothing,  // --version
    optional, // --journal or --journal=FILE
    required, // --plot=FILE or --plot FILE
};

// One row of an option table.
struct Option {
    std::vector<std::string> names; // without dashes; a one-letter name shows as -h
    Takes takes = Takes::nothing;
    std::string valueName; // what the help calls the value: FILE, FILE.png
    std::string help;      // empty: hidden from the help, as Qt's own options are
};

class OptionParser {
public:
    explicit OptionParser(std::vector<Option> options) : options_(std::move(options)) {}

    // Reads arguments, the first being the program's name: false with
    // errorText() on a usage error. The rest is read even after an error.
    bool parse(const std::vector<std::string>& arguments);
    // What was wrong, in the words of Qt's parser: the last missing or
    // unexpected value ("Missing value after '-platform'.", "Unexpected value
    // after '--help'."), else the unknown options ("Unknown option 'x'.").
    std::string errorText() const;

    bool isSet(const std::string& name) const { return !values(name).empty(); }
    // One entry per time the option was given, in order: its value, or
    // nothing when it took none.
    const std::vector<std::optional<std::string>>& values(const std::string& name) const;
    // The arguments that are not options; all of them after "--".
    const std::vector<std::string>& positional() const { return positional_; }

    // "Usage: PROGRAM [options]", the summary, then each option that has a
    // help text, its names in a column and its text wrapped beside them.
    std::string helpText(const std::string& program, const std::string& summary) const;

private:
    std::size_t find(const std::string& name) const;

    std::vector<Option> options_;
    std::vector<std::vector<std::optional<std::string>>> found_;
    std::vector<std::string> positional_;
    std::vector<std::string> unknown_;
    std::string error_;
};

} // namespace cli
