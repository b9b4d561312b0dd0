#include "colour_table.h"
#include "fixture.h"

#include <gtest/gtest.h>

namespace {

// Scenarios of the turn cycle on the hand-driven clock. The random walk
// covers the tables at large; these pin the edges by name.
struct Turns : ::testing::Test {
    // Draws 1, 2, 3, 4, 5, 6, then 6 for ever.
    Turns() : random({0.05f, 0.2f, 0.4f, 0.55f, 0.7f, 0.9f}), game(random) {}

    bool armed() const {
        return !f.Timer1.isEnabled() && !f.Timer2.isEnabled() && !f.Command7.isEnabled() &&
               game.panel() == game::black;
    }

    testing_support::ScriptedRandom random;
    testing_support::Game game;
    game::Form1& f = game.form1;
};

TEST_F(Turns, StopArmsAtOnceAndDrawsEachTime) {
    game.click(f.Command4); // a reveal while rolling
    ASSERT_TRUE(f.Timer2.isEnabled());
    game.click(f.Command8);
    EXPECT_TRUE(armed());
    EXPECT_EQ(f.Target, 1);
    game.click(f.Command8);
    game.click(f.Command8);
    EXPECT_TRUE(armed());
    EXPECT_EQ(f.Target, 3);
    EXPECT_EQ(game.incorrect(), "1");
    EXPECT_EQ(game.correct(), "0");
    // The cancelled reveal leaves no tick behind, and nothing rolls any more.
    game.runtime.advance(10000);
    EXPECT_EQ(random.draws, 3);
}

TEST_F(Turns, RevealEndsAtTheFirstTickAfterTheGuessWithOnePressOfStart) {
    game.click(f.Command7); // Target 1
    game.runtime.advance(1000);
    game.click(f.Command1);
    game.runtime.advance(2000);
    game.click(f.Command1); // scored again; does not stretch the reveal
    EXPECT_EQ(game.correct(), "2");
    game.runtime.advance(999);
    EXPECT_EQ(game.panel(), game::ColourTable[0].colour);
    EXPECT_EQ(random.draws, 1);
    game.runtime.advance(1);
    EXPECT_TRUE(armed());
    EXPECT_EQ(random.draws, 2) << "one tick must press Start exactly once";
}

TEST_F(Turns, GuessWhileRollingScoresTheNewestTargetAndArmsWithoutStart) {
    EXPECT_EQ(f.Target, 0);
    game.runtime.advance(200); // Target 1
    game.click(f.Command1);
    EXPECT_EQ(game.correct(), "1");
    game.runtime.advance(400); // still rolling: Target 3
    game.click(f.Command3);
    EXPECT_EQ(game.correct(), "2");
    EXPECT_EQ(game.panel(), game::ColourTable[2].colour);
    EXPECT_TRUE(f.Command7.isEnabled());
    game.runtime.advance(2600); // 3000 ms after the first guess
    EXPECT_TRUE(armed());
}

TEST_F(Turns, ExitOrClosingTheWindowDuringARevealEndsWithNoTickAfterwards) {
    for (bool close : {false, true}) {
        testing_support::ScriptedRandom random;
        testing_support::Game game(random);
        game.click(game.form1.Command2);
        if (close)
            EXPECT_TRUE(game.runtime.requestClose(game.form));
        else
            game.click(game.form1.Command9);
        EXPECT_TRUE(game.runtime.ended());
        EXPECT_EQ(game.runtime.exitCode(), 0);
        game.runtime.advance(10000);
        EXPECT_EQ(random.draws, 0);
        EXPECT_TRUE(game.reporter.errors.empty());
    }
}

} // namespace
