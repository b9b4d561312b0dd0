// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace journal {

// Why a journal cannot be used, in one line: "journal PATH: line N: reason".
// The program prints it and exits 1.
class JournalError : public std::runtime_error {
public:
    // line 0 leaves the line out; an empty path leaves the file out.
    JournalError(std::string_view path, std::int64_t line, std::string_view reason);
};

// text in double quotes for a message, cut short after 40 bytes.
std::string quoted(std::string_view text);

} // namespace journal
