// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_window.h"
#include "game_session.h"
#include "win32_host.h"

namespace win32ui {

// The game under Win32: the portable session with its window, on a host
// that keeps the runtime's clock, speaking the meter's reading on H and
// opening the journal's page on J; with a journal, it keeps every guess there.
class Win32GameSession : public session::Presenter {
public:
    Win32GameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                     Win32Host::TimeSource time = {}, journal::Journal* journal = nullptr);
    Win32GameSession(const Win32GameSession&) = delete;
    Win32GameSession& operator=(const Win32GameSession&) = delete;

    void announce(const std::string& text) override;
    void describe(std::string_view controlName, const std::string& text) override;
    std::string openPage(const std::string& path) override;
    // On stderr, where there is one, and in a message box over the window.
    void warn(const std::string& line) override;

    session::GameSession game;
    rt::Runtime& runtime;
    Win32Host host;
    rt::Form& form;
    game::Form1& form1;
    FormWindow& window;
};

} // namespace win32ui
