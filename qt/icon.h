// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's icon drawing under Qt: the build writes the hicolor theme's PNGs
// and SVG from it, and the window draws its own icon.
#pragma once

#include <QIcon>
#include <QImage>

#include <array>

namespace qtui {

// The sizes of the theme's PNGs, in pixels, as qt/CMakeLists.txt lists them.
inline constexpr std::array iconSizes = {TAVELQUIN_ICON_SIZES};

// The drawing at size x size pixels.
QImage iconImage(int size);

// The sizes of a window's icon: what X11 title bars and task bars show (its
// _NET_WM_ICON). Larger views find the theme's icon by the desktop id, and
// offering them here too would cost start-up time for nothing.
inline constexpr std::array windowIconSizes = {16, 24, 32, 48, 64};

// The drawing as a window's icon, at windowIconSizes, each drawn only when a
// window asks for it.
QIcon icon();

} // namespace qtui
