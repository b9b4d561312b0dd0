// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A long seeded walk of random events through the game, driven through the
// runtime as the window drives it, and after every event compared with a
// reference model of the turn cycle written here from its state tables. The
// model shares no code with the game: only the tape of random values.
#include "fixture.h"
#include "turn_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <utility>

namespace {

// The random values the game and the model both read, in the same order when
// they draw at the same moments; now and then an edge: 0, the largest float
// below 1, and one whose product with 6 single precision would round up to 5.
struct Tape : rt::RandomSource {
    explicit Tape(std::uint64_t seed) : engine(seed) {}
    float next() override {
        const std::uint64_t bits = engine();
        constexpr float edges[] = {0.0f, 1.0f - 0x1p-24f, 13981013 * 0x1p-24f};
        return bits % 64 < 3 ? edges[bits % 64] : float(bits >> 40) * 0x1p-24f;
    }
    std::mt19937_64 engine;
};

// The turn cycle as its tables state it, and what a player is told of each
// event: G(uess) with right, blind, the colour shown and the one guessed,
// H(idden), S(tart gone).
struct Model {
    explicit Model(std::uint64_t seed) : tape(seed) {}
    static constexpr std::uint32_t colours[7] = {0x000000, 0x0000FF, 0x00FFFF, 0x00C000,
                                                 0xFF0000, 0x800080, 0x0080FF};
    Tape tape;
    std::int64_t now = 0, rollDue = 200, revealDue = 0;
    bool rolling = true, revealing = false, startEnabled = true, ended = false;
    std::uint32_t panel = 0;
    long correct = 0, incorrect = 0;
    int target = 0;
    std::string told;

    // Start, by the user, by Stop or by the end of a reveal: armed, a new secret.
    void start() {
        told += std::string(panel ? "H" : "") + (startEnabled ? "S" : "");
        startEnabled = rolling = revealing = false;
        panel = 0;
        target = int(std::floor(double(tape.next()) * 6.0)) + 1;
    }
    void guess(int k) {
        told += "G" + std::to_string(target == k) + std::to_string(panel == 0) +
                std::to_string(target) + std::to_string(k);
        (target == k ? correct : incorrect) += 1;
        panel = colours[target] ? colours[target] : panel;
        revealDue = revealing ? revealDue : now + 3000;
        revealing = true;
    }
    void advance(std::int64_t ms) {
        const std::int64_t until = now + ms;
        for (;;) {
            const bool reveal = revealing && revealDue <= until, roll = rolling && rollDue <= until;
            // At the same moment the reveal timer ticks first: the window
            // description creates it before the roll timer.
            if (reveal && (!roll || revealDue <= rollDue)) {
                now = revealDue;
                start();
            } else if (roll) {
                now = rollDue;
                rollDue += 200;
                target = int(std::floor(double(tape.next()) * 6.0)) + 1;
            } else {
                break;
            }
        }
        now = until;
    }
};

std::uint64_t setting(const char* name, std::uint64_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : fallback;
}

// What the game tells the player of an event, in the model's letters.
std::string letters(const game::TurnChange& c) {
    const std::string g = std::to_string(c.right) + std::to_string(c.blind) +
                          std::to_string(c.shown) + std::to_string(c.guess);
    return (c.guessed ? "G" + g : "") + (c.hidden ? "H" : "") + (c.startLost ? "S" : "");
}

// One game and its model, each reading its own copy of the same tape.
struct Play {
    explicit Play(std::uint64_t seed) : tape(seed), game(tape), model(seed) {
        game.runtime.setWatcher(&watcher);
    }
    Tape tape;
    testing_support::Game game;
    Model model;
    std::string told;
    ::game::TurnWatcher watcher{game.form1, [this](auto& change) { told += letters(change); }};
};

TEST(RandomWalk, GameFollowsTheTurnTables) {
    const std::uint64_t seed = setting("TAVELQUIN_WALK_SEED", std::random_device{}());
    const std::uint64_t events = setting("TAVELQUIN_WALK_EVENTS", 100000);
    std::cout << "random walk: seed " << seed << ", " << events << " events\n";
    std::mt19937_64 chooser(seed);
    auto pick = [&](int below) { return int(chooser() % std::uint64_t(below)); };
    auto state = [](auto&&... fields) {
        std::ostringstream out;
        ((out << fields << ' '), ...);
        return out.str();
    };
    auto run = std::make_unique<Play>(seed);
    for (std::uint64_t i = 0; i < events; ++i) {
        auto& [tape, game, model, told, watcher] = *run;
        // Events: a colour 45%, Start 8%, Stop 7%, the clock 39% (around both
        // intervals, and up to two reveals), Exit 0.5% and closing the window.
        constexpr int ends[] = {450, 530, 600, 990, 995, 1000};
        constexpr std::pair<int, int> lengths[] = {{1, 199},  {1, 199},   {195, 11},
                                                   {195, 11}, {2990, 21}, {1, 6000}};
        const int event = int(std::ranges::upper_bound(ends, pick(1000)) - ends), kind = pick(6);
        const std::int64_t ms = lengths[kind].first + pick(lengths[kind].second);
        const int k = event == 0 ? 1 + kind : event == 3 ? 0 : event + 6 - (event > 3); // button
        if (k == 0) {
            model.advance(ms);
            game.runtime.advance(ms);
        } else if (k == 10) {
            model.ended = true;
            EXPECT_TRUE(game.runtime.requestClose(game.form));
        } else {
            if (k <= 6)
                model.guess(k);
            else if (k == 8 || (k == 7 && model.startEnabled))
                model.start();
            model.ended = k == 9;
            game.runtime.click(game.form.control<rt::CommandButton>("Command" + std::to_string(k)));
        }
        if (model.ended) // no tick runs once the form is gone, and the clock stands
            game.runtime.advance(10000);
        // Ended, Target, clock, run-time errors; while playing, both timers,
        // Start, the panel, both counts and what the player was told since the
        // last event.
        std::string actual = state(game.runtime.ended(), game.form1.Target, game.runtime.now(),
                                   game.reporter.errors.size());
        std::string expected = state(model.ended, model.target, model.now, 0);
        if (!model.ended) {
            actual += state(game.form1.Timer1.isEnabled(), game.form1.Timer2.isEnabled(),
                            game.form1.Command7.isEnabled(), game.form1.Picture1.backColour().value,
                            game.form1.Label2.caption().value, game.form1.Label4.caption().value,
                            std::exchange(told, ""));
            expected += state(model.rolling, model.revealing, model.startEnabled, model.panel,
                              model.correct, model.incorrect, std::exchange(model.told, ""));
        }
        ASSERT_EQ(actual, expected)
            << "after event " << i << " (rerun with TAVELQUIN_WALK_SEED=" << seed << ")";
        if (model.ended)
            run = std::make_unique<Play>(chooser());
    }
}

} // namespace
