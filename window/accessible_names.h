// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"

#include <string>

namespace window {

// What a screen reader says of the controls whose name is not their caption,
// the same under every front end.

// The panel and the colour it shows: "Colour panel: Red", "Colour panel:
// hidden" while it is the window's black.
std::string panelName(const rt::FormDescription& form, const rt::ControlDescription& panel,
                      rt::Colour colour);

// A count read with the caption that names it, "Correct: 3", for a screen
// reader that reads no caption beside it; the count alone when none names it.
std::string countName(const rt::FormDescription& form, const rt::ControlDescription& count,
                      const std::string& digits);

} // namespace window
