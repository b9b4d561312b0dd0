#include "colour_table.h"
#include "fixture.h"

#include <gtest/gtest.h>

namespace {

using testing_support::Game;
using testing_support::ScriptedRandom;

// r for colour number k.
float rFor(int k) { return (k - 1) / 6.0f + 0.05f; }

struct Turns : ::testing::Test {
    Turns() : random({rFor(1), rFor(2), rFor(3), rFor(4), rFor(5), rFor(6)}), game(random) {}

    bool armed() const {
        return !f().Timer1.isEnabled() && !f().Timer2.isEnabled() && !f().Command7.isEnabled() &&
               game.panel() == game::black;
    }
    const game::Form1& f() const { return game.form1; }

    ScriptedRandom random;
    Game game;
};

TEST_F(Turns, LoadStartsRollingWithAHiddenPanel) {
    EXPECT_TRUE(f().Timer1.isEnabled());
    EXPECT_FALSE(f().Timer2.isEnabled());
    EXPECT_TRUE(f().Command7.isEnabled());
    EXPECT_EQ(game.panel(), game::black);
    EXPECT_EQ(f().Target, 0);
    game.runtime.advance(200);
    EXPECT_EQ(f().Target, 1);
    game.runtime.advance(400);
    EXPECT_EQ(f().Target, 3);
}

TEST_F(Turns, StopBeforeAnyGuessArmsAndEachStopDrawsAgain) {
    game.click(game.form1.Command8);
    EXPECT_TRUE(armed());
    EXPECT_EQ(f().Target, 1);
    game.click(game.form1.Command8);
    game.click(game.form1.Command8);
    EXPECT_TRUE(armed());
    EXPECT_EQ(f().Target, 3);
    EXPECT_EQ(random.draws, 3);
    EXPECT_EQ(game.correct(), "0");
    EXPECT_EQ(game.incorrect(), "0");
    // Armed stays armed: nothing rolls any more.
    game.runtime.advance(10000);
    EXPECT_EQ(random.draws, 3);
}

TEST_F(Turns, RevealEndsAtTheTickAfterTheGuessAndDrawsOnce) {
    game.click(game.form1.Command7); // Target 1
    game.runtime.advance(1000);
    game.click(game.form1.Command1);
    EXPECT_EQ(game.panel(), game::ColourTable[0].colour);
    game.runtime.advance(2999);
    EXPECT_EQ(game.panel(), game::ColourTable[0].colour);
    EXPECT_EQ(random.draws, 1);
    game.runtime.advance(1);
    EXPECT_TRUE(armed());
    EXPECT_EQ(random.draws, 2) << "one tick must press Start exactly once";
    EXPECT_EQ(f().Target, 2);
}

TEST_F(Turns, ASecondGuessDuringARevealDoesNotStretchIt) {
    game.click(game.form1.Command7);
    game.click(game.form1.Command2);
    game.runtime.advance(2000);
    game.click(game.form1.Command1); // right, and scored against the same Target
    EXPECT_EQ(game.correct(), "1");
    EXPECT_EQ(game.incorrect(), "1");
    game.runtime.advance(1000);
    EXPECT_TRUE(armed());
}

TEST_F(Turns, StopDuringARevealEndsItAtOnce) {
    game.click(game.form1.Command7);
    game.click(game.form1.Command4);
    ASSERT_NE(game.panel(), game::black);
    game.click(game.form1.Command8);
    EXPECT_TRUE(armed());
    EXPECT_EQ(f().Target, 2);
    // The cancelled reveal leaves no tick behind.
    game.runtime.advance(10000);
    EXPECT_EQ(random.draws, 2);
}

TEST_F(Turns, GuessWhileRollingIsScoredAgainstTheNewestTargetAndArmsWithoutStart) {
    game.runtime.advance(200); // Target 1
    game.click(game.form1.Command1);
    EXPECT_EQ(game.correct(), "1");
    EXPECT_EQ(game.panel(), game::ColourTable[0].colour);
    game.runtime.advance(400); // still rolling: Target 3
    EXPECT_TRUE(f().Timer1.isEnabled());
    game.click(game.form1.Command3);
    EXPECT_EQ(game.correct(), "2");
    EXPECT_EQ(game.panel(), game::ColourTable[2].colour);
    EXPECT_TRUE(f().Command7.isEnabled());
    game.runtime.advance(2600); // 3000 ms after the first guess
    EXPECT_TRUE(armed());
}

TEST_F(Turns, ADisabledStartIgnoresTheUserButNotTheRevealTimer) {
    game.click(game.form1.Command7);
    int draws = random.draws;
    game.click(game.form1.Command7);
    EXPECT_EQ(random.draws, draws);
    game.click(game.form1.Command5);
    game.runtime.advance(3000);
    EXPECT_EQ(random.draws, draws + 1);
}

TEST_F(Turns, ExitDuringARevealEndsWithNoTickAfterwards) {
    game.click(game.form1.Command2);
    game.click(game.form1.Command9);
    EXPECT_TRUE(game.runtime.ended());
    EXPECT_EQ(game.runtime.exitCode(), 0);
    int draws = random.draws;
    game.runtime.advance(10000);
    EXPECT_EQ(random.draws, draws);
    EXPECT_TRUE(game.reporter.errors.empty());
}

TEST_F(Turns, ClosingTheWindowEndsTheProgramLikeExit) {
    game.click(game.form1.Command3);
    EXPECT_TRUE(game.runtime.requestClose(game.form));
    EXPECT_TRUE(game.runtime.ended());
    EXPECT_EQ(game.runtime.exitCode(), 0);
    game.runtime.advance(10000);
    EXPECT_EQ(random.draws, 0);
}

} // namespace
