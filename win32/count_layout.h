// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "caption_font.h"
#include "description.h"

#include <windows.h>

#include <string>

namespace win32ui {

// Shows the count `digits` in the static control `label`, which stands for
// `control`, one of `form.controls`, at dpi. A count wider than its label
// first takes the free room to its right, then a smaller font; past what
// fits there at the smallest font, its digits wrap over lines in the free
// room below. Every digit stays visible.
void layoutCount(HWND label, const std::string& digits, const rt::FormDescription& form,
                 const rt::ControlDescription& control, int dpi, CaptionFonts& fonts);

} // namespace win32ui
