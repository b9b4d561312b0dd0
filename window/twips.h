// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"

namespace window {

// The one place that knows the ratio: 1440 twips make an inch, so 15 make a
// pixel at 96 dots per inch. Rounds to the nearest pixel.
int twipsToPixels(int twips, int dpi = 96);

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// A control's place and size in pixels at dpi. Each edge is converted, so
// that controls that meet in twips meet in pixels at any scale.
PixelRect pixelRect(const rt::ControlDescription& control, int dpi = 96);

} // namespace window
