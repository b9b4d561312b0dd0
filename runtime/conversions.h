// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Text to number, independent of the locale. It takes exactly what
// numberToText writes (an optional minus, digits, an optional fraction and
// exponent); anything else, blanks included, is a type-mismatch error.
double textToNumber(std::string_view text);

// Whole numbers become plain digits ("0", "10", "-3"), other values the
// shortest text that reads back the same. From 2^53 in magnitude on, a double
// no longer holds every whole number (2^53 + 1 rounds to 2^53), so such a
// value, like a NaN or an infinity, is an overflow error: no text ever shows
// a count that is off by one.
std::string numberToText(double value);

// The greatest whole number not above value.
double floorOf(double value);

// Rounds to the nearest whole number, ties to even. A value outside the
// 16-bit range, a NaN or an infinity is an overflow error.
std::int16_t toInteger16(double value);

// The floating-point status test after a calculation: a NaN means an invalid
// operation, an infinity an overflow or a division by zero.
void checkFloatingPoint(double result);

} // namespace rt
