// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "journal_error.h"

namespace journal {

namespace {

// Control characters (a path may hold any byte but NUL) would break the one line.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return line;
}

std::string message(std::string_view path, std::int64_t line, std::string_view reason) {
    std::string text = path.empty() ? "journal: " : "journal " + oneLine(path) + ": ";
    if (line > 0)
        text += "line " + std::to_string(line) + ": ";
    return text + oneLine(reason);
}

} // namespace

JournalError::JournalError(std::string_view path, std::int64_t line, std::string_view reason)
    : std::runtime_error(message(path, line, reason)) {}

std::string quoted(std::string_view text) {
    constexpr std::size_t longest = 40;
    if (text.size() <= longest)
        return "\"" + std::string(text) + "\"";
    std::size_t cut = longest;
    // Never end inside a UTF-8 sequence.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return "\"" + std::string(text.substr(0, cut)) + "\"...";
}

} // namespace journal
