// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colour_controls.h"

#include "dpi.h"

#include <algorithm>

namespace win32ui {
namespace {

void fill(HDC dc, const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

// Asked of the top-level window, which keeps the state for all of its controls.
bool showsFocusMarks(HWND control) {
    return !(SendMessageW(GetAncestor(control, GA_ROOT), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

// A focus mark as two nested frames, white outside and black inside, each a
// pixel at 96 dpi, so that it shows on every colour and leaves the middle.
void drawFocusMark(HDC dc, RECT area, int dpi) {
    const int width = std::max(1, scaled(1, dpi));
    for (int line = 0; line < 2 * width; ++line) {
        HBRUSH brush =
            static_cast<HBRUSH>(GetStockObject(line < width ? WHITE_BRUSH : BLACK_BRUSH));
        FrameRect(dc, &area, brush);
        InflateRect(&area, -1, -1);
    }
}

LRESULT CALLBACK panelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(panel, &paint);
        RECT area;
        GetClientRect(panel, &area);
        fill(dc, area, COLORREF(GetWindowLongPtrW(panel, GWLP_USERDATA)));
        if (GetFocus() == panel && showsFocusMarks(panel))
            drawFocusMark(dc, area, windowDpi(panel));
        EndPaint(panel, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(panel, nullptr, FALSE);
        return 0;
    case WM_UPDATEUISTATE:
        InvalidateRect(panel, nullptr, FALSE);
        break;
    }
    return DefWindowProcW(panel, message, wParam, lParam);
}

} // namespace

const wchar_t* colourPanelClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW panel{};
        panel.cbSize = sizeof panel;
        panel.lpfnWndProc = panelProc;
        panel.hInstance = GetModuleHandleW(nullptr);
        panel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        panel.lpszClassName = L"TavelquinColourPanel";
        RegisterClassExW(&panel);
        return panel.lpszClassName;
    }();
    return name;
}

void setPanelColour(HWND panel, rt::Colour colour) {
    SetWindowLongPtrW(panel, GWLP_USERDATA, LONG_PTR(colour));
    InvalidateRect(panel, nullptr, FALSE);
}

void drawColourButton(const DRAWITEMSTRUCT& item, rt::Colour colour, int dpi) {
    fill(item.hDC, item.rcItem, colour);
    if ((item.itemState & ODS_FOCUS) && showsFocusMarks(item.hwndItem)) {
        RECT mark = item.rcItem;
        InflateRect(&mark, -scaled(2, dpi), -scaled(2, dpi));
        drawFocusMark(item.hDC, mark, dpi);
    }
}

} // namespace win32ui
