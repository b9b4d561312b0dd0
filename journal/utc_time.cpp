// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "utc_time.h"

#include <chrono>
#include <string>

namespace journal {

namespace {

using namespace std::chrono;

constexpr std::string_view shape = "dddd-dd-ddTdd:dd:dd.dddZ";
constexpr std::size_t digits[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21, 22};
constexpr std::size_t separators[] = {4, 7, 10, 13, 16, 19, 23};
constexpr std::int64_t millisecondsPerDay = 86'400'000;

unsigned number(std::string_view text, std::size_t at, std::size_t length) {
    unsigned value = 0;
    for (std::size_t i = at; i < at + length; ++i)
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    return value;
}

} // namespace

bool parseTime(std::string_view text, std::int64_t& milliseconds) {
    if (text.size() != timeLength)
        return false;
    for (std::size_t i : digits)
        if (text[i] < '0' || text[i] > '9')
            return false;
    for (std::size_t i : separators)
        if (text[i] != shape[i])
            return false;
    const year_month_day date{year(static_cast<int>(number(text, 0, 4))), month(number(text, 5, 2)),
                              day(number(text, 8, 2))};
    const unsigned hours = number(text, 11, 2), minutes = number(text, 14, 2),
                   seconds = number(text, 17, 2);
    if (!date.ok() || hours > 23 || minutes > 59 || seconds > 59)
        return false;
    milliseconds = sys_days(date).time_since_epoch().count() * millisecondsPerDay +
                   ((hours * 60 + minutes) * 60 + seconds) * 1000 + number(text, 20, 3);
    return true;
}

bool beginsTime(std::string_view text) {
    // Each part that text cuts short can be completed by the rest of one of
    // these two: a day that begins with 3 ends in 0 or 1, any other in 1.
    if (text.size() > timeLength)
        return false;
    for (std::string_view ending : {"0000-11-11T11:11:11.111Z", "0000-10-10T10:10:10.000Z"}) {
        std::int64_t unused = 0;
        if (parseTime(std::string(text) + std::string(ending.substr(text.size())), unused))
            return true;
    }
    return false;
}

bool timeInRange(std::int64_t milliseconds) {
    constexpr std::int64_t first = sys_days(year(0) / 1 / 1).time_since_epoch().count();
    constexpr std::int64_t end = sys_days(year(10000) / 1 / 1).time_since_epoch().count();
    return milliseconds >= first * millisecondsPerDay && milliseconds < end * millisecondsPerDay;
}

void formatTime(std::int64_t milliseconds, char* out) {
    const sys_time<std::chrono::milliseconds> time{std::chrono::milliseconds(milliseconds)};
    const sys_days date = floor<days>(time);
    const year_month_day ymd{date};
    const std::int64_t inDay = (time - date).count();
    auto put = [&out](std::int64_t value, int digits, char after) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            out[i] = static_cast<char>('0' + value % 10);
        out += digits;
        *out++ = after;
    };
    put(static_cast<int>(ymd.year()), 4, '-');
    put(static_cast<unsigned>(ymd.month()), 2, '-');
    put(static_cast<unsigned>(ymd.day()), 2, 'T');
    put(inDay / 3'600'000, 2, ':');
    put(inDay / 60'000 % 60, 2, ':');
    put(inDay / 1000 % 60, 2, '.');
    put(inDay % 1000, 3, 'Z');
}

} // namespace journal
