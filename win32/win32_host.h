// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_window.h"
#include "runtime.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace win32ui {

// Connects the runtime to Windows: keeps its clock on a time source through
// a Win32 timer in the message loop, mirrors control changes on the windows,
// and ends the message loop when the program ends.
class Win32Host final : public rt::Host {
public:
    // Milliseconds from a fixed start, never going back.
    using TimeSource = std::function<std::int64_t()>;
    // The time since this call, from the steady clock.
    static TimeSource realTime();

    // With a time source, the runtime's clock follows it: the host wakes when
    // the next tick falls due and catches up before every user event. Without
    // one, whoever owns the runtime moves its clock by hand.
    explicit Win32Host(rt::Runtime& runtime, TimeSource time = {});
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    // Brings the runtime's clock up to the time source, running the ticks
    // that fell due meanwhile, so that what the user does next is timed from
    // now and not from the last tick.
    void catchUp();

    // Builds the window of a form the runtime has created.
    FormWindow& addWindow(rt::Form& form);

    void controlChanged(const rt::Control& control) override;
    void scheduleChanged() override;
    void formUnloaded(const rt::Form& form) override;
    void exit(int code) override;

private:
    static LRESULT CALLBACK clockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    rt::Runtime& runtime_;
    TimeSource time_;
    HWND clock_ = nullptr; // a message-only window that receives the timer
    std::map<const rt::Form*, std::unique_ptr<FormWindow>> windows_;
};

} // namespace win32ui
