// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "turn_watcher.h"

#include <string>

namespace game {

// The one short sentence a screen reader speaks after an event that changed
// something a player notices; empty for any other event. Result first, then
// the colour, so that the first word already tells a hit from a miss.
std::string announcement(const TurnChange& change);

} // namespace game
