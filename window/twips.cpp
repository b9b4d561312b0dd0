// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "twips.h"

namespace window {
namespace {

constexpr long long twipsPerInch = 1440;

} // namespace

int twipsToPixels(int twips, int dpi) {
    return int((twips * static_cast<long long>(dpi) + twipsPerInch / 2) / twipsPerInch);
}

PixelRect pixelRect(const rt::ControlDescription& d, int dpi) {
    const int left = twipsToPixels(d.left, dpi), top = twipsToPixels(d.top, dpi);
    return {left, top, twipsToPixels(d.left + d.width, dpi) - left,
            twipsToPixels(d.top + d.height, dpi) - top};
}

} // namespace window
