// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's icon: one drawing, the game's window in miniature, from which
// every front end and every installed icon file takes its pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace window {

// A square picture, row by row from the top, each pixel 0xAARRGGBB.
struct IconImage {
    int size = 0;
    std::vector<std::uint32_t> pixels;
};

// The drawing at size x size pixels on a transparent ground. Every edge falls
// on a whole pixel, so each size is crisp; 32 x 32 is the drawing's own grid,
// in 12 colours.
IconImage drawIcon(int size);

// The drawing as a scalable SVG image.
std::string iconSvg();

} // namespace window
