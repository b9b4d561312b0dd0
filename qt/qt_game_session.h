// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_window.h"
#include "game_session.h"
#include "qt_host.h"

namespace qtui {

// The game under Qt: the portable session with its window, on a host that
// keeps the runtime's clock, speaking the meter's reading on H and opening the
// journal's page on J. The program and the window tests build the same. Needs
// the QApplication.
class QtGameSession : public session::Presenter {
public:
    QtGameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                  QtHost::TimeSource time = {}, journal::Journal* journal = nullptr);
    QtGameSession(const QtGameSession&) = delete;
    QtGameSession& operator=(const QtGameSession&) = delete;

    void announce(const std::string& text) override;
    void describe(std::string_view controlName, const std::string& text) override;
    std::string openPage(const std::string& path) override;
    // On stderr, and in a message box beside the window that holds nothing up.
    void warn(const std::string& line) override;

    session::GameSession game;
    rt::Runtime& runtime;
    QtHost host;
    rt::Form& form;
    game::Form1& form1;
    FormWindow& window;
};

} // namespace qtui
