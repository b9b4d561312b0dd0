// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace journal {

// A journal's times: UTC in ISO 8601 with milliseconds, 2026-12-08T03:34:05.123Z,
// years 0000 to 9999, seconds 00 to 59, and as milliseconds since 1970-01-01T00:00:00Z.
inline constexpr std::size_t timeLength = 24;

// Reads text if it is such a time with every part in range, days in the month included.
bool parseTime(std::string_view text, std::int64_t& milliseconds);
// Whether text is the start of such a time, or one whole.
bool beginsTime(std::string_view text);
// Whether milliseconds falls in a year from 0000 to 9999.
bool timeInRange(std::int64_t milliseconds);
// Writes the timeLength characters of a time in range to out.
void formatTime(std::int64_t milliseconds, char* out);

} // namespace journal
