// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace journal {

// One guess in a journal.
struct Row {
    std::int64_t time = 0; // milliseconds since 1970-01-01T00:00:00Z
    std::int64_t game = 0; // which start of the program, from 1
    int guess = 0;         // colour number 1 to 6, as in game::ColourTable
    int secret = 0;        // colour number 1 to 6, or 0 when nothing had been drawn yet
    bool blind = false;
    bool right = false;
};

// The largest game number a journal holds. A game cannot start on a journal
// whose last game has it, as its rows would be refused at the next start.
inline constexpr std::int64_t largestGame = 99'999'999'999'999'999;

// The header of a new journal, line break aside.
inline constexpr std::string_view standardHeader = "time,game,guess,secret,blind,right";

enum class Column : std::uint8_t { time, game, guess, secret, blind, right, other };

// What one line of a journal is.
enum class LineKind {
    good,
    // A row cut short, the line break included, by a crash or a full disk.
    torn,
    bad,
};

// The rows of one journal as CSV (RFC 4180): its header says where each of the
// six columns stands, and any other column is left empty by the writer and
// ignored by the reader. Quoted fields are read, never written.
class RowFormat {
public:
    // The standard header's.
    RowFormat();
    // The format the header `line` (line break aside) gives; nullopt, with the
    // reason, when it is not a journal's header.
    static std::optional<RowFormat> fromHeader(std::string_view line, std::string& reason);

    // Reads one line, line break aside; `ended` says whether it had one whole.
    // lastGame is the game of the last good row before it, 0 for none. A good
    // line's values go to row; a bad line's reason goes to reason.
    LineKind read(std::string_view line, bool ended, std::int64_t lastGame, Row& row,
                  std::string& reason) const;

    // Appends row's line, CRLF included, to out. Its guess and secret must be colour numbers.
    void write(const Row& row, std::string& out) const;

private:
    std::vector<Column> columns_;
};

} // namespace journal
