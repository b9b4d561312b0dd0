// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_game_session.h"

#include "browser.h"
#include "text_encoding.h"

#include <cstdio>
#include <utility>

namespace win32ui {

Win32GameSession::Win32GameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                                   Win32Host::TimeSource time, journal::Journal* journal)
    : game(random, reporter, journal), runtime(game.runtime), host(runtime, std::move(time)),
      form(game.form), form1(game.form1), window(host.addWindow(form)) {
    game.start(*this);
    window.addShortcut('H', [this] { announce(game.reading()); });
    window.addShortcut('J', [this] { game.openJournalPage(); });
}

void Win32GameSession::announce(const std::string& text) { window.announce(text); }

void Win32GameSession::describe(std::string_view controlName, const std::string& text) {
    window.describe(controlName, text);
}

std::string Win32GameSession::openPage(const std::string& path) {
    return openInBrowser(path, window.handle());
}

void Win32GameSession::warn(const std::string& line) {
    std::fprintf(stderr, "tavelquin: %s\n", line.c_str());
    std::fflush(stderr);
    MessageBoxW(window.handle(), wide(line).c_str(), L"Tavelquin", MB_OK | MB_ICONWARNING);
}

} // namespace win32ui
