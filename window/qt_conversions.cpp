// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_conversions.h"

namespace window {
namespace {

constexpr int twipsPerPixel = 15;

} // namespace

int twipsToPixels(int twips) { return (twips + twipsPerPixel / 2) / twipsPerPixel; }

QRect pixelRect(const rt::ControlDescription& d) {
    return {twipsToPixels(d.left), twipsToPixels(d.top), twipsToPixels(d.width),
            twipsToPixels(d.height)};
}

QColor toQColor(rt::Colour colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace window
