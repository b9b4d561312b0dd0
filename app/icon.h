// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's icon: one drawing, the game's window in miniature, from which
// the build writes the hicolor theme's PNGs and SVG and the window takes its
// icon at every size.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

#include <array>

namespace app {

// The sizes of the theme's PNGs, in pixels, as app/CMakeLists.txt lists them.
inline constexpr std::array iconSizes = {TAVELQUIN_ICON_SIZES};

// The drawing at size x size pixels. Every edge falls on a whole pixel, so
// each size is crisp; 32 x 32 is the drawing's own grid, in 12 colours.
QImage drawIcon(int size);

// The drawing as a scalable SVG image.
QByteArray iconSvg();

// The drawing at every size in iconSizes, for a window.
QIcon icon();

} // namespace app
