// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caption_font.h"

namespace win32ui {

CaptionFonts::~CaptionFonts() {
    for (const auto& [height, font] : fonts_)
        DeleteObject(font);
}

HFONT CaptionFonts::at(int pixelHeight) {
    HFONT& font = fonts_[pixelHeight];
    if (!font) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfMessageFont;
        // The height of the characters themselves, without the line's leading.
        face.lfHeight = -pixelHeight;
        face.lfWidth = 0;
        font = CreateFontIndirectW(&face);
    }
    return font;
}

} // namespace win32ui
