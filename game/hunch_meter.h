// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace game {

// The hunch meter: a tally of blind guesses (made while the panel is black)
// and a reading, in words a screen reader can speak, of how often luck alone
// would do as well as the player. Luck alone is right 1 time in 6.
class HunchMeter {
public:
    // Counts one blind guess.
    void blindGuess(bool right);
    // The tally and what it means, in one short paragraph of plain words and
    // plain digits, the same in every locale. Costs microseconds at any count.
    std::string reading() const;

private:
    std::int64_t guesses = 0;
    std::int64_t rightGuesses = 0;
};

} // namespace game
