#include "colour_table.h"
#include "fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using testing_support::Game;
using testing_support::ScriptedRandom;

TEST(DrawTarget, EdgesOfTheGeneratorGiveOneToSix) {
    // 13981013 * 2^-24 times 6 is 5 - 2^-23: rounded to single precision, 5.0.
    const std::pair<float, int> rows[] = {{0.0f, 1},
                                          {std::nextafter(1.0f / 6.0f, 0.0f), 1},
                                          {0.5f, 4},
                                          {std::nextafter(1.0f, 0.0f), 6},
                                          {13981013 * 0x1p-24f, 5}};
    for (auto [r, target] : rows) {
        ScriptedRandom random({r});
        Game game(random);
        game.form1.DrawTarget();
        EXPECT_EQ(game.form1.Target, target) << r;
    }
}

// A generator out of its range on Start's draw, and a count that is not a
// number or is the largest one a count can show, on a wrong guess: each is one
// reported run-time error that ends the game.
TEST(RunTimeErrors, FromTheGeneratorOrACountEndTheGame) {
    struct Row {
        float r;
        const char* count;
        rt::ErrorCode code;
    };
    for (Row row :
         {Row{std::numeric_limits<float>::quiet_NaN(), "0", rt::ErrorCode::invalidFloatingPoint},
          Row{INFINITY, "0", rt::ErrorCode::overflow}, Row{1e30f, "0", rt::ErrorCode::overflow},
          Row{0.5f, "lots", rt::ErrorCode::typeMismatch},
          Row{0.5f, "9007199254740991", rt::ErrorCode::overflow}}) {
        ScriptedRandom random({row.r});
        Game game(random);
        rt::check(game.form1.Label4.setCaption(row.count));
        game.runtime.click(game.form1.Command7);
        game.runtime.click(game.form1.Command1); // Target 4: a wrong guess
        ASSERT_EQ(game.reporter.errors.size(), 1u) << row.count;
        EXPECT_EQ(game.reporter.errors[0].code(), row.code) << row.count;
        EXPECT_TRUE(game.runtime.ended() && game.runtime.exitCode() == 1);
    }
}

// Records the order in which a handler changes the controls.
struct ChangeLog : rt::Host {
    void controlChanged(const rt::Control& control) override { log += control.name() + " "; }
    void scheduleChanged() override { log += "schedule "; }
    std::string log;
};

TEST(Steps, GuessAndStartChangeTheControlsInTheirOrder) {
    ScriptedRandom random({0.4f}); // draws 3, green
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
    game.runtime.setHost(nullptr);
}

} // namespace
