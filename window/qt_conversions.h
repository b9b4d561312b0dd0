// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"

#include <QColor>
#include <QRect>

namespace window {

// The one place that knows the ratio: 15 twips make a pixel at 96 dpi. Qt's
// device-pixel ratio scales from there.
int twipsToPixels(int twips);
// A control's position and size, each converted to pixels.
QRect pixelRect(const rt::ControlDescription& description);
QColor toQColor(rt::Colour colour);

} // namespace window
