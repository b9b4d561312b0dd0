// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"

#include <windows.h>

namespace win32ui {

// The colour panel's window class, registered once: a plain rectangle of its
// colour. It takes the focus by keyboard only, so that a screen reader can
// land on it and read which colour it shows, and shows a focus mark only
// while its top-level window shows keyboard cues (WM_QUERYUISTATE).
const wchar_t* colourPanelClass();
void setPanelColour(HWND panel, rt::Colour colour);

// Draws an owner-drawn colour button: a plain square of its colour, with the
// focus mark while it has the focus and its top-level window shows keyboard cues.
void drawColourButton(const DRAWITEMSTRUCT& item, rt::Colour colour, int dpi);

} // namespace win32ui
