// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"

class QLabel;

namespace qtui {

// Lays out the count that the label shows for `control`, one of `form.controls`.
// A count wider than its label first takes the free room to its right, then
// a smaller font; past what fits there at the smallest font, its digits wrap
// over lines in the free room below. Every digit stays visible.
void layoutCount(QLabel* label, const rt::FormDescription& form,
                 const rt::ControlDescription& control);

} // namespace qtui
