// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

namespace win32ui {

// The scale of a window, in dots per inch (96 at 100%). The program is aware
// of each monitor's scale through its manifest; Windows 10 tells a window's
// own, older Windows only the system's, so the functions that newer Windows
// has are looked up when the program runs and it still starts on Windows 7.
int windowDpi(HWND window);
int systemDpi();

// The outer size of a window whose client area is width x height pixels at dpi.
SIZE outerSize(int width, int height, DWORD style, DWORD extendedStyle, int dpi);

// Scales a length in pixels at 96 dpi to dpi, rounding to the nearest.
int scaled(int pixels, int dpi);

} // namespace win32ui
