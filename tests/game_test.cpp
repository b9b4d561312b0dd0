#include "fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>

namespace {

// Acts once from inside a handler, when it changes a control, as a window
// system's nested event loop could.
struct Inside : rt::Host {
    void controlChanged(const rt::Control&) override {
        if (auto act = std::exchange(then, nullptr))
            act();
    }
    std::function<void()> then;
};

// Events that arrive while a handler runs do not run inside it; an exception
// of a foreign kind is one internal error that ends the game.
TEST(Handlers, NestedEventsWaitAndForeignExceptionsEndTheGame) {
    testing_support::ScriptedRandom random;
    testing_support::Game game(random);
    Inside inside;
    game.runtime.setHost(&inside);
    inside.then = [&] {
        game.runtime.click(game.form1.Command8);
        game.runtime.advance(5000);
    };
    game.runtime.click(game.form1.Command3);
    EXPECT_EQ(random.draws + game.runtime.now(), 0);
    inside.then = [] { throw std::logic_error("broken"); };
    game.runtime.click(game.form1.Command1);
    game.runtime.click(game.form1.Command2);
    ASSERT_EQ(game.reporter.errors.size(), 1u);
    EXPECT_EQ(rt::standardMessage(game.reporter.errors[0]),
              "Run-time error 51: Internal error (broken)");
    EXPECT_TRUE(game.runtime.ended() && game.runtime.exitCode() == 1);
    game.runtime.setHost(nullptr);
}

} // namespace
