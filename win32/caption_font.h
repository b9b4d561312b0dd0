// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <map>

namespace win32ui {

// Captions are drawn at this height in pixels at 96 dpi, so that "Incorrect:"
// fits its 49-pixel label; a wide count shrinks down to the smallest.
inline constexpr int captionPixelSize = 10;
inline constexpr int smallestCountPixelSize = 6;

// The system's message font at heights in device pixels, each made once and
// kept while the fonts live, since the controls drawn in one hold on to it.
class CaptionFonts {
public:
    CaptionFonts() = default;
    CaptionFonts(const CaptionFonts&) = delete;
    CaptionFonts& operator=(const CaptionFonts&) = delete;
    ~CaptionFonts();

    HFONT at(int pixelHeight);

private:
    std::map<int, HFONT> fonts_;
};

} // namespace win32ui
