// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A bare Win32 window of the game's sixteen controls at its size: nine push
// buttons (six of them plain squares of colour), four red-on-black labels, a
// black panel and a 200 ms timer, made with nothing but the Win32 API: what
// `scripts/benchmark --wine` times the Windows game's start-up against.
#include <windows.h>

namespace {

struct Control {
    const wchar_t* className;
    const wchar_t* text;
    int left, top, width, height;
    COLORREF colour; // a colour square's, or CLR_INVALID
};

// In pixels at 96 dpi, as the game's description gives them in twips.
constexpr Control controls[] = {
    {L"BUTTON", L"Exit", 136, 112, 41, 17, CLR_INVALID},
    {L"BUTTON", L"Stop", 72, 112, 41, 17, CLR_INVALID},
    {L"BUTTON", L"Start", 16, 112, 41, 17, CLR_INVALID},
    {L"BUTTON", L"Orange", 152, 48, 25, 25, RGB(255, 128, 0)},
    {L"BUTTON", L"Purple", 120, 48, 25, 25, RGB(128, 0, 128)},
    {L"BUTTON", L"Blue", 88, 48, 25, 25, RGB(0, 0, 255)},
    {L"BUTTON", L"Green", 152, 16, 25, 25, RGB(0, 192, 0)},
    {L"BUTTON", L"Yellow", 120, 16, 25, 25, RGB(255, 255, 0)},
    {L"BUTTON", L"Red", 88, 16, 25, 25, RGB(255, 0, 0)},
    {L"STATIC", L"", 16, 16, 57, 57, RGB(0, 0, 0)},
    {L"STATIC", L"0", 64, 88, 17, 17, CLR_INVALID},
    {L"STATIC", L"Correct:", 88, 88, 41, 17, CLR_INVALID},
    {L"STATIC", L"0", 128, 88, 17, 17, CLR_INVALID},
    {L"STATIC", L"Incorrect:", 16, 88, 49, 17, CLR_INVALID},
};

HBRUSH black;
HFONT font;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(black);
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HBRUSH colour = CreateSolidBrush(controls[item->CtlID - 100].colour);
        FillRect(item->hDC, &item->rcItem, colour);
        DeleteObject(colour);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == 100)
            DestroyWindow(window);
        return 0;
    case WM_TIMER:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    black = CreateSolidBrush(RGB(0, 0, 0));
    font = CreateFontW(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = black;
    windowClass.lpszClassName = L"PlainWindow";
    RegisterClassExW(&windowClass);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 191, 135};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, L"PlainWindow", L"Plain window", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
    for (int i = 0; i < int(sizeof controls / sizeof controls[0]); ++i) {
        const Control& c = controls[i];
        DWORD kind = c.className[0] == L'B'
                         ? (c.colour == CLR_INVALID ? BS_PUSHBUTTON : BS_OWNERDRAW) | WS_TABSTOP
                         : SS_LEFT;
        HWND control = CreateWindowExW(
            0, c.className, c.text, WS_CHILD | WS_VISIBLE | kind, c.left, c.top, c.width, c.height,
            window, reinterpret_cast<HMENU>(INT_PTR(100 + i)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SetTimer(window, 1, 200, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
