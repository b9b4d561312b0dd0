// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_host.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

namespace win32ui {
namespace {

constexpr UINT_PTR clockTimer = 1;

} // namespace

Win32Host::TimeSource Win32Host::realTime() {
    const auto start = std::chrono::steady_clock::now();
    return [start] {
        return std::int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count());
    };
}

Win32Host::Win32Host(rt::Runtime& runtime, TimeSource time)
    : runtime_(runtime), time_(std::move(time)) {
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
    runtime_.setHost(this);
}

Win32Host::~Win32Host() {
    runtime_.setHost(nullptr);
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

void Win32Host::scheduleChanged() {
    if (!time_)
        return;
    std::optional<std::int64_t> due = runtime_.nextDue();
    if (!due) {
        KillTimer(clock_, clockTimer);
        return;
    }
    // Windows fires a timer no sooner than USER_TIMER_MINIMUM (10 ms), and
    // within the system's tick (about 16 ms) after it falls due.
    const std::int64_t wait = std::max<std::int64_t>(0, *due - time_());
    SetTimer(clock_, clockTimer, UINT(std::min<std::int64_t>(wait, 1'000'000)), nullptr);
}

void Win32Host::catchUp() {
    if (!time_)
        return;
    runtime_.advanceTo(time_());
    scheduleChanged();
}

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
