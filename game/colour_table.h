// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace game {

struct ColourRow {
    std::int16_t number;
    rt::Colour colour; // 0x00BBGGRR
    std::string_view seenAs;
    std::string_view button;
};

// The six colours the secret can take, by colour number. The reveal paints
// these constants; it never reads a button's colour.
inline constexpr std::array<ColourRow, 6> ColourTable = {{
    {1, 0x000000FF, "red", "Command1"},
    {2, 0x0000FFFF, "yellow", "Command2"},
    {3, 0x0000C000, "green", "Command3"},
    {4, 0x00FF0000, "blue", "Command4"},
    {5, 0x00800080, "purple", "Command5"},
    {6, 0x000080FF, "orange", "Command6"},
}};

inline constexpr rt::Colour black = 0x00000000;

} // namespace game
