// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Numbers and words as a report writes them into text, SVG and HTML: the same
// in every locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace report {

// value with a comma between groups of three digits: "1,234,567".
std::string grouped(std::int64_t value);

// value with exactly `decimals` decimals, rounded, with a point: "16.67".
std::string fixed(double value, int decimals);

// A rate from 0 to 1 as a percentage with two decimals: "16.67%".
std::string percent(double rate);

// count and the noun, plural after any count but 1: "1 game", "5,000 games".
std::string counted(std::int64_t count, std::string_view noun, std::string_view plural);

// text safe between the tags of HTML or SVG, and inside an attribute's double
// quotes: &, <, > and " as character references.
std::string escaped(std::string_view text);

} // namespace report
