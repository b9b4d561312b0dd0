// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_conversions.h"

namespace qtui {

QRect toQRect(const window::PixelRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

QRect pixelRect(const rt::ControlDescription& d) { return toQRect(window::pixelRect(d)); }

QColor toQColor(rt::Colour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace qtui
