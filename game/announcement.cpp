// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcement.h"

#include "colour_table.h"

namespace game {
namespace {

std::string colourName(std::int16_t number) {
    std::string name(ColourTable.at(number - 1).seenAs);
    name[0] = char(name[0] - 'a' + 'A');
    return name;
}

} // namespace

std::string announcement(const TurnChange& change) {
    std::string text;
    if (change.guessed && change.shown == 0)
        text = "Incorrect: too early, no colour was drawn yet.";
    else if (change.guessed && change.right)
        text = "Correct: " + colourName(change.shown) + ".";
    else if (change.guessed)
        text = "Incorrect: it was " + colourName(change.shown) + ".";
    else if (change.hidden)
        text = "Hidden again.";
    if (change.startLost)
        text += std::string(text.empty() ? "" : " ") + "Start is no longer available.";
    return text;
}

} // namespace game
