// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text_format.h"

#include <charconv>

namespace report {

std::string grouped(std::int64_t value) {
    std::string digits = std::to_string(value);
    for (auto at = std::ptrdiff_t(digits.size()) - 3; at > (value < 0 ? 1 : 0); at -= 3)
        digits.insert(std::size_t(at), 1, ',');
    return digits;
}

std::string fixed(double value, int decimals) {
    // to_chars knows no locale, so the point is never a comma.
    char text[400]; // room for any finite double with a few decimals
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    std::string result(text, written.ptr);
    // No "-0.00" for a value that rounds to nothing.
    if (result[0] == '-' && result.find_first_not_of("-0.") == std::string::npos)
        result.erase(0, 1);
    return result;
}

std::string percent(double rate) { return fixed(100 * rate, 2) + "%"; }

std::string counted(std::int64_t count, std::string_view noun, std::string_view plural) {
    return grouped(count) + " " + std::string(count == 1 ? noun : plural);
}

std::string escaped(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            result += "&amp;";
            break;
        case '<':
            result += "&lt;";
            break;
        case '>':
            result += "&gt;";
            break;
        case '"':
            result += "&quot;";
            break;
        default:
            result += c;
        }
    }
    return result;
}

} // namespace report
