// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "count_room.h"

#include <algorithm>

namespace window {

bool isCount(const rt::FormDescription& form, const rt::ControlDescription& d) {
    return std::ranges::any_of(form.controls,
                               [&d](const auto& other) { return other.labelFor == d.name; });
}

PixelRect countRoom(const rt::FormDescription& form, const rt::ControlDescription& d, int dpi) {
    int right = form.clientWidth;
    for (const rt::ControlDescription& other : form.controls) {
        bool sameRow = other.top < d.top + d.height && d.top < other.top + other.height;
        if (&other != &d && other.kind != rt::ControlKind::timer && sameRow && other.left > d.left)
            right = std::min(right, other.left);
    }
    int bottom = form.clientHeight;
    for (const rt::ControlDescription& other : form.controls) {
        bool sameColumn = other.left < right && d.left < other.left + other.width;
        if (other.kind != rt::ControlKind::timer && sameColumn && other.top >= d.top + d.height)
            bottom = std::min(bottom, other.top);
    }
    const int left = twipsToPixels(d.left, dpi), top = twipsToPixels(d.top, dpi);
    return {left, top, twipsToPixels(right, dpi) - left, twipsToPixels(bottom, dpi) - top};
}

} // namespace window
