// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "twips.h"

namespace window {

// A count: a label that a caption names.
bool isCount(const rt::FormDescription& form, const rt::ControlDescription& control);

// The room a count may grow into, in pixels at dpi, from its top left corner:
// to the next control on its row (or the window's right edge), and to the
// next control below within that width (or the window's bottom edge). A
// count wider than its label takes this room before its digits get smaller.
PixelRect countRoom(const rt::FormDescription& form, const rt::ControlDescription& count,
                    int dpi = 96);

} // namespace window
