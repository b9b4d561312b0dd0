// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "turn_watcher.h"

#include "colour_table.h"

namespace game {

TurnWatcher::TurnWatcher(const Form1& form1, Listener listener)
    : form1_(form1), listener_(std::move(listener)) {}

// Reads the state without the checked operations: the form is loaded
// whenever the runtime calls a watcher, and a watcher must not throw.
TurnWatcher::Snapshot TurnWatcher::snapshot() const {
    return {form1_.Label2.caption().value, form1_.Label4.caption().value,
            form1_.Picture1.backColour().value, form1_.Command7.isEnabled()};
}

void TurnWatcher::beforeEvent(const rt::Control* clicked) {
    before_ = snapshot();
    clicked_ = clicked;
}

void TurnWatcher::afterEvent() {
    const Snapshot after = snapshot();
    TurnChange change;
    change.right = after.correct != before_.correct;
    change.guessed = change.right || after.incorrect != before_.incorrect;
    change.blind = change.guessed && before_.panel == black;
    for (const ColourRow& row : ColourTable) {
        if (after.panel == row.colour)
            change.shown = row.number;
        // Only a click on a colour button scores a guess.
        if (change.guessed && clicked_ && clicked_->name() == row.button)
            change.guess = row.number;
    }
    change.hidden = before_.panel != black && after.panel == black;
    change.startLost = before_.startEnabled && !after.startEnabled;
    if (change.any())
        listener_(change);
}

} // namespace game
