// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clocked_host.h"
#include "form_window.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

namespace win32ui {

// Connects the runtime to Windows: keeps its clock on a Win32 timer in the
// message loop, mirrors control changes on the windows,
// and ends the message loop when the program ends.
class Win32Host final : public rt::ClockedHost {
public:
    explicit Win32Host(rt::Runtime& runtime, TimeSource time = {});
    ~Win32Host() override;

    // Builds the window of a form the runtime has created.
    FormWindow& addWindow(rt::Form& form);

    void controlChanged(const rt::Control& control) override;
    void formUnloaded(const rt::Form& form) override;
    void exit(int code) override;

protected:
    void wakeAfter(std::int64_t milliseconds) override;
    void stopWaking() override;

private:
    static LRESULT CALLBACK clockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND clock_ = nullptr; // a message-only window that receives the timer
    std::map<const rt::Form*, std::unique_ptr<FormWindow>> windows_;
};

} // namespace win32ui
