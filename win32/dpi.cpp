// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dpi.h"

namespace win32ui {
namespace {

// A function of user32 that Windows 10 (1607) added, or null on older Windows.
template <class Function> Function newerUser32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

} // namespace

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int windowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = newerUser32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(window))
            return int(dpi);
    return systemDpi();
}

SIZE outerSize(int width, int height, DWORD style, DWORD extendedStyle, int dpi) {
    using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = newerUser32<AdjustFunction>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, width, height};
    if (adjustForDpi)
        adjustForDpi(&rect, style, FALSE, extendedStyle, UINT(dpi));
    else
        AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, USER_DEFAULT_SCREEN_DPI); }

} // namespace win32ui
