// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_game_session.h"

#include <utility>

namespace win32ui {

Win32GameSession::Win32GameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                                   Win32Host::TimeSource time, journal::Journal* journal)
    : game(random, reporter, journal), runtime(game.runtime), host(runtime, std::move(time)),
      form(game.form), form1(game.form1), window(host.addWindow(form)) {
    game.start(*this);
    window.addShortcut('H', [this] { announce(game.reading()); });
}

void Win32GameSession::announce(const std::string& text) { window.announce(text); }

void Win32GameSession::describe(std::string_view controlName, const std::string& text) {
    window.describe(controlName, text);
}

} // namespace win32ui
