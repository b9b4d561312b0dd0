// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "twips.h"

#include <QColor>
#include <QRect>

namespace qtui {

// A control's position and size in pixels at 96 dpi, from which Qt's
// device-pixel ratio scales.
QRect pixelRect(const rt::ControlDescription& description);
QRect toQRect(const window::PixelRect& rect);
QColor toQColor(rt::Colour colour);

} // namespace qtui
