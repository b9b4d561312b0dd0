// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A picture of a hunch over a whole journal of blind guesses.
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

namespace qtui {

// The running rate of right blind guesses over a journal, drawn against luck's
// 1 in 6 and against the rates at which the hunch meter says 1 in 20 and
// 1 in 100, with the meter's reading of the whole journal below; 960 x 540
// pixels on white. outcomes: one entry per blind guess, in order, true when it
// was right; games: how many games the journal holds. Needs a QGuiApplication
// (the caller makes one, on the offscreen platform when there is no display).
QImage hunchPlot(const std::vector<bool>& outcomes, std::int64_t games);

} // namespace qtui
