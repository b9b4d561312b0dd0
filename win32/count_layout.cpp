// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "count_layout.h"

#include "count_room.h"
#include "dpi.h"
#include "text_encoding.h"

#include <algorithm>

namespace win32ui {

void layoutCount(HWND label, const std::string& digits, const rt::FormDescription& form,
                 const rt::ControlDescription& d, int dpi, CaptionFonts& fonts) {
    const window::PixelRect place = window::pixelRect(d, dpi);
    const window::PixelRect room = window::countRoom(form, d, dpi);
    const int roomWidth = std::max(room.width, place.width);
    const int roomHeight = std::max(room.height, place.height);
    const std::wstring count = wide(digits);
    HDC dc = GetDC(label);
    const HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    // Measured as the control draws it, in whole pixels.
    auto width = [dc](HFONT font, std::wstring_view text) {
        SelectObject(dc, font);
        RECT bounds{};
        DrawTextW(dc, text.data(), int(text.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
        return int(bounds.right);
    };
    int pixelSize = scaled(captionPixelSize, dpi);
    const int smallest = scaled(smallestCountPixelSize, dpi);
    while (pixelSize > smallest && width(fonts.at(pixelSize), count) > roomWidth)
        --pixelSize;
    HFONT font = fonts.at(pixelSize);
    std::size_t perLine = count.size();
    while (perLine > 1 && width(font, std::wstring_view(count).substr(0, perLine)) > roomWidth)
        --perLine;
    std::wstring text;
    for (std::size_t at = 0; at < count.size(); at += perLine)
        text += (at ? L"\r\n" : L"") + count.substr(at, perLine);
    SelectObject(dc, font);
    RECT bounds{};
    DrawTextW(dc, text.c_str(), int(text.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, original);
    ReleaseDC(label, dc);
    SendMessageW(label, WM_SETFONT, WPARAM(font), FALSE);
    SetWindowTextW(label, text.c_str());
    SetWindowPos(label, nullptr, place.left, place.top,
                 std::min(std::max(int(bounds.right), place.width), roomWidth),
                 std::min(std::max(int(bounds.bottom), place.height), roomHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(label, nullptr, TRUE);
}

} // namespace win32ui
