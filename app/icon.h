// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's icon: one drawing, the game's window in miniature, from which
// the build writes the hicolor theme's PNGs and SVG and the window draws its
// own icon.
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

// The sizes of a window's icon: what X11 title bars and task bars show (its
// _NET_WM_ICON). Larger views find the theme's icon by the desktop id, and
// offering them here too would cost start-up time for nothing.
inline constexpr std::array windowIconSizes = {16, 24, 32, 48, 64};

// The drawing as a window's icon, at windowIconSizes, each drawn only when a
// window asks for it.
QIcon icon();

} // namespace app
