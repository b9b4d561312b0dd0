// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form1.h"
#include "form_window.h"
#include "hunch_meter.h"
#include "journal_file.h"
#include "qt_host.h"
#include "turn_watcher.h"

namespace app {

// The game as the program plays it: the runtime, Form1 built from the window
// description and bound to its handlers, its window, and what a player is
// told of each turn, wired together and loaded: a spoken message after each
// event a player notices, and the hunch meter's reading in the counters'
// tooltips and descriptions, spoken on H. With a journal, each guess's row is
// written before its event returns, so before any count shows it, and the
// meter goes on from the journal's tally. The window tests build the
// same. Needs the QApplication; a faulty description is a DescriptionError.
class GameSession {
public:
    GameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                window::QtHost::TimeSource time = {}, journal::Journal* journal = nullptr);
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;
    ~GameSession();

    rt::Runtime runtime;
    window::QtHost host;
    rt::Form& form;
    game::Form1 form1;
    window::FormWindow& window;

private:
    void tell(const game::TurnChange& change);
    void showReading();

    journal::Journal* journal_;
    game::TurnWatcher watcher_;
    game::HunchMeter meter_;
    std::string reading_;
};

} // namespace app
