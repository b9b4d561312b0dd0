// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The runtime's own rules: number conversions, the random generator's range,
// and how it runs event handlers.
#include "conversions.h"
#include "error.h"
#include "fixture.h"
#include "random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <stdexcept>
#include <utility>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

rt::ErrorCode errorOf(auto&& operation) {
    try {
        operation();
    } catch (const rt::RuntimeError& error) {
        return error.code();
    }
    return rt::ErrorCode::internal; // no error at all
}

// Whole numbers are plain digits up to 2^53 - 1, the largest count whose
// successor a double still holds, and read back the same; from 2^53 on, where
// an increment could leave a count unchanged, they have no text.
TEST(Conversions, NumbersAndTextsRoundTripOrAreRunTimeErrors) {
    for (const char* text : {"0", "10", "-7", "1000000000000000", "9007199254740991", "0.25"})
        EXPECT_EQ(rt::numberToText(rt::textToNumber(text)), text);
    EXPECT_EQ(rt::numberToText(-0.0), "0");
    for (double value : {0x1p53, -0x1p53, double(INFINITY), nan})
        EXPECT_EQ(errorOf([&] { rt::numberToText(value); }), rt::ErrorCode::overflow) << value;
    for (const char* text : {"", " 1", "1 ", "abc", "1,5", "+1", "0x10", "inf", "nan", "1e"})
        EXPECT_EQ(errorOf([&] { rt::textToNumber(text); }), rt::ErrorCode::typeMismatch) << text;
    EXPECT_EQ(errorOf([] { rt::textToNumber("1e400"); }), rt::ErrorCode::overflow);
}

// Also the random generator's edges: never 1 itself.
TEST(Conversions, SixteenBitIntegersFloatingPointStatusAndRandomEdges) {
    EXPECT_EQ(rt::toInteger16(6.0), 6);
    EXPECT_EQ(rt::toInteger16(-32768.0), -32768);
    EXPECT_EQ(rt::toInteger16(2.5), 2); // ties to even
    for (double value : {32767.5, -32769.0, double(INFINITY), nan})
        EXPECT_EQ(errorOf([&] { rt::toInteger16(value); }), rt::ErrorCode::overflow) << value;
    EXPECT_EQ(errorOf([] { rt::checkFloatingPoint(6.0); }), rt::ErrorCode::internal);
    EXPECT_EQ(errorOf([] { rt::checkFloatingPoint(nan); }), rt::ErrorCode::invalidFloatingPoint);
    EXPECT_EQ(errorOf([] { rt::checkFloatingPoint(-INFINITY); }), rt::ErrorCode::overflow);
    EXPECT_EQ(rt::unitFloat(0), 0.0f);
    EXPECT_EQ(rt::unitFloat(0x100), 0x1p-24f);
    EXPECT_EQ(rt::unitFloat(0xFFFFFFFF), std::nextafter(1.0f, 0.0f));
    // The game's own generator: fresh values in [0, 1) that draw every colour,
    // and not a sequence that a second generator repeats.
    rt::SystemRandom first, second;
    std::set<int> colours;
    bool same = true;
    for (int i = 0; i < 600; ++i) {
        const float r = first.next();
        EXPECT_TRUE(r >= 0 && r < 1) << r;
        colours.insert(int(r * 6));
        same = same && (i >= 8 || r == second.next());
    }
    EXPECT_TRUE(colours.size() == 6 && !same);
}

// Acts once from inside a handler, when it changes a control, as a window
// system's nested event loop could.
struct Inside : rt::Host {
    void controlChanged(const rt::Control&) override {
        if (auto act = std::exchange(then, nullptr))
            act();
    }
    std::function<void()> then;
};

// Throws after each handler, as a journal that cannot be written does.
struct Failing : rt::EventWatcher {
    void beforeEvent(const rt::Control*) override {}
    void afterEvent() override { throw std::logic_error("broken"); }
};

// Events that arrive while a handler runs do not run inside it; an exception
// of a foreign kind, even from a watcher after the handler, is one internal
// error that ends the game.
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
    Failing failing;
    game.runtime.setWatcher(&failing);
    game.runtime.click(game.form1.Command1);
    game.runtime.click(game.form1.Command2);
    ASSERT_EQ(game.reporter.errors.size(), 1u);
    EXPECT_EQ(rt::standardMessage(game.reporter.errors[0]),
              "Run-time error 51: Internal error (broken)");
    EXPECT_TRUE(game.runtime.ended() && game.runtime.exitCode() == 1);
    game.runtime.setHost(nullptr);
}

} // namespace
