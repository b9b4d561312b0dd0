#include "colour_table.h"
#include "fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>

namespace {

using testing_support::Game;
using testing_support::ScriptedRandom;

// Records the order in which handlers change the controls, and acts once
// from inside a handler, as a window system's nested event loop could.
struct ChangeLog : rt::Host {
    void controlChanged(const rt::Control& control) override {
        log += control.name() + " ";
        if (auto act = std::exchange(inside, nullptr))
            act();
    }
    void scheduleChanged() override { log += "schedule "; }
    std::string log;
    std::function<void()> inside;
};

TEST(Steps, GuessAndStartChangeTheControlsInTheirOrder) {
    ScriptedRandom random(0.4f); // draws 3, green
    Game game(random);
    ChangeLog changes;
    game.runtime.setHost(&changes);
    game.runtime.click(game.form1.Command5); // before the first draw: incorrect, panel left black
    EXPECT_EQ(changes.log, "Label4 schedule ");
    changes.log.clear();
    game.runtime.click(game.form1.Command7); // Start, and both timers, off, then black
    EXPECT_EQ(changes.log, "Command7 schedule schedule Picture1 ");
    changes.log.clear();
    game.runtime.click(game.form1.Command3);
    EXPECT_EQ(changes.log, "Label2 Picture1 schedule ");
    EXPECT_EQ(game.panel(), game::ColourTable[2].colour);

    // Events that arrive while a handler runs do not run inside it; an
    // exception of a foreign kind is one internal error that ends the game.
    changes.inside = [&] {
        game.runtime.click(game.form1.Command8);
        game.runtime.advance(5000);
    };
    game.runtime.click(game.form1.Command3);
    EXPECT_EQ(random.draws + game.runtime.now(), 1);
    changes.inside = [] { throw std::logic_error("broken"); };
    game.runtime.click(game.form1.Command1);
    game.runtime.click(game.form1.Command2);
    ASSERT_EQ(game.reporter.errors.size(), 1u);
    EXPECT_EQ(rt::standardMessage(game.reporter.errors[0]),
              "Run-time error 51: Internal error (broken)");
    EXPECT_TRUE(game.runtime.ended() && game.runtime.exitCode() == 1);
    game.runtime.setHost(nullptr);
}

} // namespace
