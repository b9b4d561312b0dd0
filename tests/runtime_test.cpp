#include "fixture.h"
#include "runtime.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using testing_support::RecordingReporter;
using testing_support::ScriptedRandom;

// A small form of its own, so that these tests say what the runtime does
// whatever the game asks of it.
constexpr rt::ControlDescription controls[] = {
    {"Fast", rt::ControlKind::timer, "", 0, 0, 0, 0, 0, 0, -1, 200, false},
    {"Slow", rt::ControlKind::timer, "", 0, 0, 0, 0, 0, 0, -1, 3000, false},
    {"Go", rt::ControlKind::pushButton, "Go", 0, 0, 10, 10, 0, 0, 0},
    {"Inner", rt::ControlKind::pushButton, "Inner", 0, 20, 10, 10, 0, 0, 1},
    {"Caption", rt::ControlKind::label, "0", 0, 40, 10, 10, 0, 0, 2},
};
constexpr rt::EventBinding bindings[] = {
    {"Test", "Load", "load"}, {"Fast", "Timer", "fast"},   {"Slow", "Timer", "slow"},
    {"Go", "Click", "go"},    {"Inner", "Click", "inner"},
};
const rt::FormDescription description = {"Test", "Test", 100, 100, 0, controls, bindings};

struct Harness {
    Harness() : runtime(random, reporter), form(runtime.createForm(description)) {}

    void bind() { form.bindEvents(handlers); }
    rt::Timer& fast() { return form.control<rt::Timer>("Fast"); }
    rt::Timer& slow() { return form.control<rt::Timer>("Slow"); }
    rt::CommandButton& go() { return form.control<rt::CommandButton>("Go"); }
    rt::CommandButton& inner() { return form.control<rt::CommandButton>("Inner"); }
    rt::Label& caption() { return form.control<rt::Label>("Caption"); }
    void log(const char* what) { events.push_back(what); }

    ScriptedRandom random;
    RecordingReporter reporter;
    rt::Runtime runtime;
    rt::Form& form;
    std::vector<std::string> events;
    rt::HandlerTable handlers = {
        {"load", [this] { log("load"); }},   {"fast", [this] { log("fast"); }},
        {"slow", [this] { log("slow"); }},   {"go", [this] { log("go"); }},
        {"inner", [this] { log("inner"); }},
    };
};

TEST(Timers, TickEveryIntervalOnlyWhileEnabled) {
    Harness h;
    h.bind();
    h.runtime.advance(1000);
    EXPECT_TRUE(h.events.empty()) << "a disabled timer ticked";

    rt::check(h.fast().setEnabled(true));
    h.runtime.advance(199);
    EXPECT_TRUE(h.events.empty());
    h.runtime.advance(1);
    EXPECT_EQ(h.events.size(), 1u);
    h.runtime.advance(1000);
    EXPECT_EQ(h.events.size(), 6u);

    rt::check(h.fast().setEnabled(false));
    h.runtime.advance(5000);
    EXPECT_EQ(h.events.size(), 6u);
}

TEST(Timers, TicksRunInTheOrderTheyFallDue) {
    Harness h;
    h.bind();
    rt::check(h.slow().setEnabled(true));
    h.runtime.advance(2900);
    rt::check(h.fast().setEnabled(true)); // due at 3100, after Slow at 3000
    h.runtime.advance(3000);
    ASSERT_GE(h.events.size(), 2u);
    EXPECT_EQ(h.events[0], "slow");
    EXPECT_EQ(h.events[1], "fast");
}

TEST(Timers, EnablingARunningTimerKeepsItsSchedule) {
    Harness h;
    h.bind();
    rt::check(h.slow().setEnabled(true));
    h.runtime.advance(2000);
    rt::check(h.slow().setEnabled(true));
    h.runtime.advance(1000);
    EXPECT_EQ(h.events, std::vector<std::string>{"slow"});
    // Stopped and started again, it waits a whole interval.
    rt::check(h.slow().setEnabled(false));
    rt::check(h.slow().setEnabled(true));
    h.runtime.advance(2999);
    EXPECT_EQ(h.events.size(), 1u);
    h.runtime.advance(1);
    EXPECT_EQ(h.events.size(), 2u);
}

TEST(Buttons, PressInCodeRunsNestedEvenWhenDisabledButUserClicksAreIgnored) {
    Harness h;
    h.handlers["go"] = [&] {
        h.log("go begins");
        rt::check(h.inner().press());
        h.log("go ends");
    };
    h.bind();
    rt::check(h.inner().setEnabled(false));
    h.runtime.click(h.go());
    EXPECT_EQ(h.events, (std::vector<std::string>{"go begins", "inner", "go ends"}));

    h.events.clear();
    h.runtime.click(h.inner());
    EXPECT_TRUE(h.events.empty()) << "a disabled button took a user's click";
}

TEST(Dispatch, OneHandlerAtATime) {
    Harness h;
    // An event that arrives while a handler runs (through a nested event
    // loop) must not run inside it.
    h.handlers["go"] = [&] {
        h.runtime.click(h.inner());
        h.runtime.advance(500);
        h.log("go");
    };
    h.bind();
    rt::check(h.fast().setEnabled(true));
    h.runtime.click(h.go());
    EXPECT_EQ(h.events, std::vector<std::string>{"go"});
    EXPECT_EQ(h.runtime.now(), 0);
}

TEST(Errors, ARunTimeErrorIsReportedOnceAndEndsTheProgram) {
    Harness h;
    h.handlers["go"] = [&] { throw rt::RuntimeError(rt::ErrorCode::overflow, "test"); };
    h.bind();
    rt::check(h.fast().setEnabled(true));
    h.runtime.click(h.go());
    ASSERT_EQ(h.reporter.errors.size(), 1u);
    EXPECT_EQ(h.reporter.errors[0].code(), rt::ErrorCode::overflow);
    EXPECT_TRUE(h.runtime.ended());
    EXPECT_NE(h.runtime.exitCode(), 0);

    h.runtime.advance(10000);
    h.runtime.click(h.go());
    EXPECT_TRUE(h.events.empty()) << "a handler ran after the program ended";
    EXPECT_EQ(h.reporter.errors.size(), 1u);
}

TEST(Errors, ForeignExceptionsBecomeRunTimeErrorsToo) {
    Harness h;
    h.handlers["go"] = [] { throw std::logic_error("broken"); };
    h.bind();
    h.runtime.click(h.go());
    ASSERT_EQ(h.reporter.errors.size(), 1u);
    EXPECT_EQ(h.reporter.errors[0].code(), rt::ErrorCode::internal);
    EXPECT_TRUE(h.runtime.ended());
}

TEST(Unload, EndsTheProgramStopsTimersAndFailsLaterOperations) {
    Harness h;
    h.handlers["go"] = [&] { rt::check(h.form.unload()); };
    h.bind();
    rt::check(h.fast().setEnabled(true));
    h.runtime.click(h.go());
    EXPECT_TRUE(h.runtime.ended());
    EXPECT_EQ(h.runtime.exitCode(), 0);
    EXPECT_FALSE(h.runtime.nextDue().has_value());
    h.runtime.advance(10000);
    EXPECT_TRUE(h.events.empty());
    EXPECT_EQ(h.caption().setCaption("1"), rt::Status::controlUnloaded);
    EXPECT_EQ(h.caption().caption().status, rt::Status::controlUnloaded);
    EXPECT_THROW(rt::check(h.caption().caption()), rt::RuntimeError);
}

TEST(Binding, AnUnknownNameIsAnErrorThatNamesAllThree) {
    const rt::EventBinding broken[][1] = {
        {{"Go", "Click", "missing_handler"}},
        {{"Nowhere", "Click", "go"}},
        {{"Go", "Timer", "go"}},
        {{"Test", "Click", "go"}},
    };
    for (const auto& rows : broken) {
        rt::FormDescription faulty = description;
        faulty.bindings = rows;
        Harness h;
        rt::Form& form = h.runtime.createForm(faulty);
        try {
            form.bindEvents(h.handlers);
            ADD_FAILURE() << "bound " << rows[0].handler;
        } catch (const rt::DescriptionError& error) {
            std::string message = error.what();
            for (std::string_view name : {rows[0].control, rows[0].event, rows[0].handler})
                EXPECT_NE(message.find(name), std::string::npos) << message;
        }
    }
}

TEST(Binding, ADuplicateOrMissingControlIsFoundAtStartUp) {
    const rt::ControlDescription twice[] = {controls[2], controls[2]};
    rt::FormDescription faulty = description;
    faulty.controls = twice;
    faulty.bindings = {};
    Harness h;
    EXPECT_THROW(h.runtime.createForm(faulty), rt::DescriptionError);
    EXPECT_THROW(h.form.control<rt::Label>("Go"), rt::DescriptionError);
}

} // namespace
