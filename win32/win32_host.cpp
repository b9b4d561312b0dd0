// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_host.h"

#include <utility>

namespace win32ui {
namespace {

constexpr UINT_PTR clockTimer = 1;

} // namespace

Win32Host::Win32Host(rt::Runtime& runtime, TimeSource time)
    : ClockedHost(runtime, std::move(time)) {
    static const wchar_t* clockClass = [] {
        WNDCLASSEXW clock{};
        clock.cbSize = sizeof clock;
        clock.lpfnWndProc = clockProc;
        clock.hInstance = GetModuleHandleW(nullptr);
        clock.lpszClassName = L"TavelquinClock";
        RegisterClassExW(&clock);
        return clock.lpszClassName;
    }();
    clock_ = CreateWindowExW(0, clockClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(clock_, GWLP_USERDATA, LONG_PTR(this));
}

Win32Host::~Win32Host() {
    windows_.clear();
    DestroyWindow(clock_);
}

LRESULT CALLBACK Win32Host::clockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_TIMER && wParam == clockTimer && host) {
        // A Win32 timer repeats: it fires once, and catching up sets the next.
        KillTimer(window, clockTimer);
        host->catchUp();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

FormWindow& Win32Host::addWindow(rt::Form& form) {
    auto& window = windows_[&form];
    window = std::make_unique<FormWindow>(*this, runtime_, form);
    return *window;
}

void Win32Host::controlChanged(const rt::Control& control) {
    auto found = windows_.find(&control.form());
    if (found != windows_.end())
        found->second->controlChanged(control);
}

// Windows fires a timer no sooner than USER_TIMER_MINIMUM (10 ms), and within
// the system's tick (about 16 ms) after it falls due.
void Win32Host::wakeAfter(std::int64_t milliseconds) {
    SetTimer(clock_, clockTimer, UINT(milliseconds), nullptr);
}

void Win32Host::stopWaking() { KillTimer(clock_, clockTimer); }

void Win32Host::formUnloaded(const rt::Form& form) {
    auto found = windows_.find(&form);
    if (found != windows_.end())
        found->second->hide();
}

void Win32Host::exit(int code) {
    KillTimer(clock_, clockTimer);
    PostQuitMessage(code);
}

} // namespace win32ui
