// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "row_format.h"

#include "colour_table.h"
#include "journal_error.h"
#include "utc_time.h"

#include <array>
#include <charconv>
#include <cstdint>

namespace journal {

namespace {

constexpr std::array<std::string_view, 6> columnNames = {"time",   "game",  "guess",
                                                         "secret", "blind", "right"};
// Game numbers stay far below what an int64 holds, with a digit to spare.
constexpr std::size_t longestGame = 17;
static_assert(largestGame == 99'999'999'999'999'999, "the largest of longestGame digits");

// The colour number each first letter can stand for; no two names share one.
constexpr std::array<std::int16_t, 128> colourByFirstLetter = [] {
    std::array<std::int16_t, 128> numbers{};
    for (const game::ColourRow& row : game::ColourTable)
        numbers[static_cast<unsigned char>(row.seenAs[0])] = row.number;
    return numbers;
}();

int colourNumber(std::string_view name) {
    if (name.empty() || static_cast<unsigned char>(name[0]) >= colourByFirstLetter.size())
        return 0;
    const int number = colourByFirstLetter[static_cast<unsigned char>(name[0])];
    return number != 0 && game::ColourTable[number - 1].seenAs == name ? number : 0;
}

std::string_view colourName(int number) { return game::ColourTable[number - 1].seenAs; }

bool beginsGame(std::string_view text) {
    if (text.size() > longestGame || (!text.empty() && text[0] == '0'))
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Why the right column contradicts the guess and the secret, for a row where it does.
std::string contradiction(const Row& row) {
    if (row.secret == 0)
        return "right is 1 but no secret had been drawn";
    if (row.right)
        return "right is 1 but the guess " + std::string(colourName(row.guess)) +
               " is not the secret " + std::string(colourName(row.secret));
    return "right is 0 but the guess " + std::string(colourName(row.guess)) + " is the secret";
}

struct Field {
    std::string_view text; // without its quotes; a quote inside stays doubled
    bool quoted = false;
};

// Takes the field that starts at `at`, moving `at` to the comma after it or the
// line's end; false with the reason when the line is not CSV.
bool split(std::string_view line, std::size_t& at, bool ended, Field& field, std::string& reason) {
    if (at < line.size() && line[at] == '"') {
        std::size_t close = at + 1;
        for (;; close += 2) {
            close = line.find('"', close);
            if (close == std::string_view::npos) {
                reason =
                    ended ? "a line break inside a quoted field" : "a quoted field is not closed";
                return false;
            }
            if (close + 1 == line.size() || line[close + 1] != '"')
                break;
        }
        field = {line.substr(at + 1, close - at - 1), true};
        at = close + 1;
        if (at < line.size() && line[at] != ',') {
            reason = "text after the closing quote of a field";
            return false;
        }
        return true;
    }
    std::size_t end = at;
    for (; end < line.size() && line[end] != ','; ++end)
        if (line[end] == '"') {
            reason = "a quote inside a field that does not start with one";
            return false;
        }
    field = {line.substr(at, end - at), false};
    at = end;
    return true;
}

// Reads a whole field of `column` into row; false with the reason when it holds no
// value the column can take.
bool readField(Column column, Field field, std::int64_t lastGame, Row& row, std::string& reason) {
    const std::string_view text = field.text;
    // The field as a message shows it; no value of the six columns holds a quote.
    auto shown = [text] {
        std::string value;
        for (std::size_t i = 0; i < text.size(); i += text[i] == '"' ? 2 : 1)
            value += text[i];
        return quoted(value);
    };
    switch (column) {
    case Column::time:
        if (parseTime(text, row.time))
            return true;
        reason = "the time " + shown() + " is not a valid UTC time like 2026-12-08T03:34:05.123Z";
        return false;
    case Column::game:
        if (text.empty() || !beginsGame(text)) {
            reason = "the game " + shown() + " is not a whole number from 1 to " +
                     std::to_string(largestGame) + " without leading zeros";
            return false;
        }
        std::from_chars(text.data(), text.data() + text.size(), row.game);
        if (row.game >= lastGame)
            return true;
        reason = "game " + std::string(text) + " comes after game " + std::to_string(lastGame) +
                 ", and game numbers never go back";
        return false;
    case Column::guess:
        row.guess = colourNumber(text);
        if (row.guess != 0)
            return true;
        reason = "the guess " + shown() + " is not a colour";
        return false;
    case Column::secret:
        row.secret = colourNumber(text);
        if (row.secret != 0 || text.empty())
            return true;
        reason = "the secret " + shown() + " is not a colour";
        return false;
    case Column::blind:
    case Column::right:
        if (text.size() == 1 && (text[0] == '0' || text[0] == '1')) {
            (column == Column::blind ? row.blind : row.right) = text[0] == '1';
            return true;
        }
        reason = std::string(column == Column::blind ? "blind" : "right") + " is " + shown() +
                 ", not 0 or 1";
        return false;
    case Column::other:
        break;
    }
    return true;
}

// Whether a line of `count` fields, every one whole and valid but perhaps the
// last, is a proper prefix of a good row: the last field unquoted and the start
// of a value that agrees with the others.
bool completes(const std::vector<Column>& columns, std::size_t count, Field last, const Row& row) {
    if (last.quoted || count > columns.size())
        return false;
    // With every field there, the last one itself has to be cut short.
    const bool shorter = count == columns.size();
    auto begins = [&](std::string_view value) {
        return value.starts_with(last.text) && (!shorter || value.size() > last.text.size());
    };
    // The values the guess, the secret and right can still take, as bits.
    unsigned guesses = 0b1111110, secrets = 0b1111111, rights = 0b11;
    for (std::size_t i = 0; i + 1 < count; ++i)
        if (columns[i] == Column::guess)
            guesses = 1u << row.guess;
        else if (columns[i] == Column::secret)
            secrets = 1u << row.secret;
        else if (columns[i] == Column::right)
            rights = 1u << row.right;
    switch (columns[count - 1]) {
    case Column::time:
        if (!beginsTime(last.text) || (shorter && last.text.size() == timeLength))
            return false;
        break;
    case Column::game:
        if (!beginsGame(last.text) || (shorter && last.text.size() == longestGame))
            return false;
        break;
    case Column::guess:
    case Column::secret: {
        unsigned& bits = columns[count - 1] == Column::guess ? guesses : secrets;
        bits = columns[count - 1] == Column::secret && begins("") ? 1 : 0;
        for (const game::ColourRow& colour : game::ColourTable)
            if (begins(colour.seenAs))
                bits |= 1u << colour.number;
        break;
    }
    case Column::blind:
        if (!begins("0") && !begins("1"))
            return false;
        break;
    case Column::right:
        rights = (begins("0") ? 1 : 0) | (begins("1") ? 2 : 0);
        break;
    case Column::other:
        break;
    }
    for (int guess = 1; guess <= 6; ++guess)
        for (int secret = 0; secret <= 6; ++secret)
            if ((guesses >> guess & 1) && (secrets >> secret & 1) &&
                (rights >> (guess == secret ? 1 : 0) & 1))
                return true;
    return false;
}

} // namespace

RowFormat::RowFormat()
    : columns_{Column::time,   Column::game,  Column::guess,
               Column::secret, Column::blind, Column::right} {}

std::optional<RowFormat> RowFormat::fromHeader(std::string_view line, std::string& reason) {
    RowFormat format;
    format.columns_.clear();
    std::array<bool, columnNames.size()> seen{};
    Field field;
    reason.clear();
    if (line.find('\r') != std::string_view::npos)
        reason = "a carriage return inside the header";
    for (std::size_t at = 0; reason.empty(); ++at) {
        if (!split(line, at, true, field, reason))
            break;
        Column column = Column::other;
        for (std::size_t i = 0; i < columnNames.size(); ++i)
            if (field.text == columnNames[i]) {
                if (seen[i])
                    reason = "its header has the column " + quoted(field.text) + " twice";
                seen[i] = true;
                column = static_cast<Column>(i);
            }
        format.columns_.push_back(column);
        for (std::size_t i = 0; at == line.size() && i < columnNames.size(); ++i)
            if (!seen[i] && reason.empty())
                reason = "its header has no column " + quoted(columnNames[i]);
        if (at == line.size() && reason.empty())
            return format;
    }
    reason = "not a journal: " + reason;
    return std::nullopt;
}

LineKind RowFormat::read(std::string_view line, bool ended, std::int64_t lastGame, Row& row,
                         std::string& reason) const {
    if (line.find('\r') != std::string_view::npos) {
        reason = "a carriage return inside the row";
        return LineKind::bad;
    }
    const std::size_t expected = columns_.size();
    constexpr std::size_t none = SIZE_MAX;
    std::size_t count = 0, firstBad = none;
    Field field;
    for (std::size_t at = 0;; ++at) {
        if (!split(line, at, ended, field, reason))
            return LineKind::bad;
        if (count < expected && firstBad == none &&
            !readField(columns_[count], field, lastGame, row, reason))
            firstBad = count;
        ++count;
        if (at == line.size())
            break;
    }
    if (firstBad != none && firstBad + 1 < count)
        return LineKind::bad;
    if (firstBad == none && count != expected)
        reason = std::to_string(count) + " fields where the header has " + std::to_string(expected);
    if (count > expected)
        return LineKind::bad;
    if (firstBad == none && count == expected) {
        if (row.right == (row.guess == row.secret))
            return ended ? LineKind::good : LineKind::torn;
        reason = contradiction(row);
    }
    return completes(columns_, count, field, row) ? LineKind::torn : LineKind::bad;
}

void RowFormat::write(const Row& row, std::string& out) const {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (i > 0)
            out += ',';
        switch (columns_[i]) {
        case Column::time: {
            char text[timeLength];
            formatTime(row.time, text);
            out.append(text, timeLength);
            break;
        }
        case Column::game: {
            char text[24];
            out.append(text, std::to_chars(text, text + sizeof text, row.game).ptr);
            break;
        }
        case Column::guess:
            out += colourName(row.guess);
            break;
        case Column::secret:
            if (row.secret != 0)
                out += colourName(row.secret);
            break;
        case Column::blind:
            out += row.blind ? '1' : '0';
            break;
        case Column::right:
            out += row.right ? '1' : '0';
            break;
        case Column::other:
            break;
        }
    }
    out += "\r\n";
}

} // namespace journal
