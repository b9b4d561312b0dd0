// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessible_names.h"

#include <cstdio>

namespace window {

std::string panelName(const rt::FormDescription& form, const rt::ControlDescription& panel,
                      rt::Colour colour) {
    std::string shown;
    if (colour == form.backColour)
        shown = "hidden";
    for (const rt::ControlDescription& d : form.controls)
        if (shown.empty() && d.kind == rt::ControlKind::graphicalButton && d.backColour == colour)
            shown = d.accessibleName;
    if (shown.empty()) {
        // A colour no button has, as #rrggbb.
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                      (colour >> 16) & 0xFF);
        shown = hex;
    }
    return std::string(panel.accessibleName) + ": " + shown;
}

std::string countName(const rt::FormDescription& form, const rt::ControlDescription& count,
                      const std::string& digits) {
    for (const rt::ControlDescription& d : form.controls)
        if (d.labelFor == count.name)
            return std::string(d.caption) + " " + digits;
    return digits;
}

} // namespace window
