// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions.h"

#include "error.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace rt {

double textToNumber(std::string_view text) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range)
        throw RuntimeError(ErrorCode::overflow, "\"" + std::string(text) + "\" is too large");
    // from_chars also reads "inf" and "nan", which numberToText never writes.
    if (error != std::errc() || end != last || !std::isfinite(value))
        throw RuntimeError(ErrorCode::typeMismatch,
                           "\"" + std::string(text) + "\" is not a number");
    return value;
}

std::string numberToText(double value) {
    if (!std::isfinite(value))
        throw RuntimeError(ErrorCode::overflow, "a number that is not finite has no text");
    if (std::fabs(value) >= 0x1p53)
        throw RuntimeError(ErrorCode::overflow, "the number is too large to show exactly");
    char buffer[64];
    std::to_chars_result result;
    if (value == std::trunc(value)) {
        // Also turns -0.0 into plain "0".
        result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(value));
    } else {
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    }
    return std::string(buffer, result.ptr);
}

double floorOf(double value) { return std::floor(value); }

std::int16_t toInteger16(double value) {
    double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw RuntimeError(ErrorCode::overflow, "the value does not fit a 16-bit integer");
    return static_cast<std::int16_t>(rounded);
}

void checkFloatingPoint(double result) {
    if (std::isnan(result))
        throw RuntimeError(ErrorCode::invalidFloatingPoint, "the result is not a number");
    if (std::isinf(result))
        throw RuntimeError(ErrorCode::overflow, "the result is infinite");
}

} // namespace rt
