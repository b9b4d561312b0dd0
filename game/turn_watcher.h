// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form1.h"

#include <cstdint>
#include <functional>
#include <string>

namespace game {

// What one event did to the game, as a player would notice it. Read from the
// form's controls before and after the event, so the handlers know nothing
// of it.
struct TurnChange {
    bool guessed = false;   // a count went up: a colour was guessed
    std::int16_t guess = 0; // the colour number of the button guessed
    bool right = false;     // the count that went up is Correct:'s
    bool blind = false;     // the panel was black when the guess came
    std::int16_t shown = 0; // the colour number on the panel afterwards, 0 for black
    bool hidden = false;    // the panel went from a colour to black
    bool startLost = false; // Start was enabled before and is not now

    bool any() const { return guessed || hidden || startLost; }
};

// Watches every event of Form1 and tells a listener what changed, for the
// events that changed anything a player notices.
class TurnWatcher final : public rt::EventWatcher {
public:
    using Listener = std::function<void(const TurnChange&)>;
    TurnWatcher(const Form1& form1, Listener listener);

    void beforeEvent(const rt::Control* clicked) override;
    void afterEvent() override;

private:
    struct Snapshot {
        std::string correct;
        std::string incorrect;
        rt::Colour panel = 0;
        bool startEnabled = false;
    };
    Snapshot snapshot() const;

    const Form1& form1_;
    Listener listener_;
    Snapshot before_;
    const rt::Control* clicked_ = nullptr;
};

} // namespace game
