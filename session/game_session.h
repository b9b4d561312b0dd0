// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form1.h"
#include "hunch_meter.h"
#include "journal_file.h"
#include "runtime.h"
#include "turn_watcher.h"

#include <string>
#include <string_view>

namespace session {

// What the counters' descriptions say after the meter's reading.
inline constexpr const char* journalKeyHint =
    "Press J to open your journal's page in your browser.";

// What a front end does for a game beyond mirroring its controls.
class Presenter {
public:
    virtual ~Presenter() = default;
    // Says text through a screen reader, wherever the focus is.
    virtual void announce(const std::string& text) = 0;
    // Sets what a screen reader reads after a control's name, and its tooltip.
    virtual void describe(std::string_view controlName, const std::string& text) = 0;
    // Opens the page at path in the player's browser: nothing, or why it
    // could not.
    virtual std::string openPage(const std::string& path) = 0;
    // Shows a line on something that failed, while the game goes on.
    virtual void warn(const std::string& line) = 0;
};

// The game as a program plays it, under any front end: the runtime, Form1
// built from the window description and bound to its handlers, and what a
// player is told of each turn: a spoken message after each event a player
// notices, and the hunch meter's reading in the counters' descriptions, with
// the key that opens the journal's page. With a journal, each guess's row is written before its
// event returns, so before any count shows it, and the meter goes on from the journal's tally; a
// row that cannot be written is run-time error 57. A faulty description is a DescriptionError.
class GameSession {
public:
    GameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                journal::Journal* journal = nullptr);
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;
    ~GameSession();

    // Once the front end has built the window as its host: binds the events,
    // loads the form and shows the meter's reading.
    void start(Presenter& presenter);
    // The meter's reading now, as the counters' descriptions show it.
    const std::string& reading() const { return reading_; }
    // For the key J: writes the page of the game's journal, or of the one in
    // the default place when the game keeps none, beside it, and opens it in
    // the player's browser; a failure is a warning and the game goes on.
    void openJournalPage();

    rt::Runtime runtime;
    rt::Form& form;
    game::Form1 form1;

private:
    void tell(const game::TurnChange& change);
    void showReading();

    journal::Journal* journal_;
    Presenter* presenter_ = nullptr;
    game::TurnWatcher watcher_;
    game::HunchMeter meter_;
    std::string reading_;
};

} // namespace session
