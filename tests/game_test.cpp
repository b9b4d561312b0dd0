#include "colour_table.h"
#include "fixture.h"
#include "random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

using testing_support::Game;
using testing_support::ScriptedRandom;

TEST(DrawTarget, EdgesOfTheGeneratorGiveOneToSix) {
    struct Row {
        float r;
        int target;
    };
    for (Row row : {Row{0.0f, 1}, Row{std::nextafter(1.0f / 6.0f, 0.0f), 1}, Row{0.5f, 4},
                    Row{std::nextafter(1.0f, 0.0f), 6},
                    // 6r is 5 - 2^-23 here: rounded to single precision it would be 5.0.
                    Row{13981013 * 0x1p-24f, 5}}) {
        ScriptedRandom random({row.r});
        Game game(random);
        game.form1.DrawTarget();
        EXPECT_EQ(game.form1.Target, row.target) << row.r;
    }
}

TEST(DrawTarget, EachColourAboutEquallyOften) {
    rt::GeneratorRandom random(20261206);
    Game game(random);
    std::array<int, 7> counts{};
    const int draws = 600000;
    for (int i = 0; i < draws; ++i) {
        game.form1.DrawTarget();
        ASSERT_GE(game.form1.Target, 1);
        ASSERT_LE(game.form1.Target, 6);
        ++counts[game.form1.Target];
    }
    // Chi-squared with 5 degrees of freedom; 25 is exceeded by chance with
    // probability about 1e-4, and the seed is fixed.
    double expected = draws / 6.0, chiSquared = 0;
    for (int k = 1; k <= 6; ++k)
        chiSquared += (counts[k] - expected) * (counts[k] - expected) / expected;
    EXPECT_LT(chiSquared, 25.0);
}

TEST(DrawTarget, AMisbehavingGeneratorIsAReportedRunTimeError) {
    struct Row {
        float r;
        rt::ErrorCode code;
    };
    for (Row row :
         {Row{std::numeric_limits<float>::quiet_NaN(), rt::ErrorCode::invalidFloatingPoint},
          Row{INFINITY, rt::ErrorCode::overflow}, Row{1e30f, rt::ErrorCode::overflow}}) {
        ScriptedRandom random({row.r});
        Game game(random);
        game.runtime.advance(200); // the first roll of the secret
        ASSERT_EQ(game.reporter.errors.size(), 1u) << row.r;
        EXPECT_EQ(game.reporter.errors[0].code(), row.code) << row.r;
        EXPECT_TRUE(game.runtime.ended());
        EXPECT_NE(game.runtime.exitCode(), 0);
    }
}

TEST(IncrementCounter, CountsInPlainDigitsAndRejectsOtherText) {
    ScriptedRandom random;
    Game game(random);
    rt::Label& label = game.form1.Label2;
    rt::check(label.setCaption("9"));
    game::Form1::IncrementCounter(label);
    EXPECT_EQ(game.correct(), "10");
    rt::check(label.setCaption("0"));
    for (int n = 1; n <= 1234; ++n)
        game::Form1::IncrementCounter(label);
    EXPECT_EQ(game.correct(), "1234");

    rt::check(game.form1.Label4.setCaption("lots"));
    game.click(game.form1.Command2); // Target is still 0: an incorrect guess
    ASSERT_EQ(game.reporter.errors.size(), 1u);
    EXPECT_EQ(game.reporter.errors[0].code(), rt::ErrorCode::typeMismatch);
    EXPECT_TRUE(game.runtime.ended());
}

// Records the order in which a handler changes the controls.
struct ChangeLog : rt::Host {
    void controlChanged(const rt::Control& control) override { log.push_back(control.name()); }
    void scheduleChanged() override { log.push_back("schedule"); }
    std::vector<std::string> log;
};

TEST(Guess, ScoresThenRevealsThenArmsTheRevealTimer) {
    ScriptedRandom random({0.4f}); // draws 3, green
    Game game(random);
    ChangeLog changes;
    game.runtime.setHost(&changes);
    game.click(game.form1.Command5); // before the first draw: incorrect, panel left black
    EXPECT_EQ(changes.log, (std::vector<std::string>{"Label4", "schedule"}));
    EXPECT_EQ(game.panel(), game::black);

    game.click(game.form1.Command7);
    changes.log.clear();
    game.click(game.form1.Command3);
    EXPECT_EQ(changes.log, (std::vector<std::string>{"Label2", "Picture1", "schedule"}));
    EXPECT_EQ(game.panel(), game::ColourTable[2].colour);
    game.click(game.form1.Command6);
    EXPECT_EQ(game.correct(), "1");
    EXPECT_EQ(game.incorrect(), "2");
    EXPECT_EQ(game.panel(), game::ColourTable[2].colour);
    game.runtime.setHost(nullptr);
}

} // namespace
