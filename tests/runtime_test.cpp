#include "fixture.h"
#include "runtime.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

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
    {"Fast", "Timer", "fast"},
    {"Slow", "Timer", "slow"},
    {"Go", "Click", "go"},
    {"Inner", "Click", "inner"},
};
const rt::FormDescription description = {"Test", "Test", 100, 100, 0, controls, bindings};

struct Runtime : ::testing::Test {
    Runtime() : runtime(random, reporter), form(runtime.createForm(description)) {}

    void bind() { form.bindEvents(handlers); }
    template <class T> T& get(const char* name) { return form.control<T>(name); }

    testing_support::ScriptedRandom random;
    testing_support::RecordingReporter reporter;
    rt::Runtime runtime;
    rt::Form& form;
    std::vector<std::string> events;
    rt::HandlerTable handlers = {
        {"fast", [this] { events.push_back("fast"); }},
        {"slow", [this] { events.push_back("slow"); }},
        {"go", [this] { events.push_back("go"); }},
        {"inner", [this] { events.push_back("inner"); }},
    };
};

TEST_F(Runtime, TimersTickEveryIntervalInOrderAndOnlyWhileEnabled) {
    bind();
    auto& fast = get<rt::Timer>("Fast");
    auto& slow = get<rt::Timer>("Slow");
    runtime.advance(1000);
    EXPECT_TRUE(events.empty()) << "a disabled timer ticked";
    rt::check(slow.setEnabled(true)); // due at 4000
    runtime.advance(2900);
    rt::check(fast.setEnabled(true)); // due at 4100, 4300, ...
    runtime.advance(99);
    EXPECT_TRUE(events.empty());
    runtime.advance(1101); // to 5100
    EXPECT_EQ(events,
              (std::vector<std::string>{"slow", "fast", "fast", "fast", "fast", "fast", "fast"}));
    rt::check(fast.setEnabled(false));
    rt::check(slow.setEnabled(false));
    runtime.advance(10000);
    EXPECT_EQ(events.size(), 7u);
}

TEST_F(Runtime, EnablingARunningTimerKeepsItsSchedule) {
    bind();
    auto& slow = get<rt::Timer>("Slow");
    rt::check(slow.setEnabled(true));
    runtime.advance(2000);
    rt::check(slow.setEnabled(true));
    runtime.advance(1000);
    EXPECT_EQ(events, std::vector<std::string>{"slow"});
    // Stopped and started again, it waits a whole interval.
    rt::check(slow.setEnabled(false));
    rt::check(slow.setEnabled(true));
    runtime.advance(2999);
    EXPECT_EQ(events.size(), 1u);
    runtime.advance(1);
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(Runtime, PressInCodeRunsNestedEvenWhenDisabledButUserClicksAreIgnored) {
    handlers["go"] = [&] {
        events.push_back("go begins");
        rt::check(get<rt::CommandButton>("Inner").press());
        events.push_back("go ends");
    };
    bind();
    rt::check(get<rt::CommandButton>("Inner").setEnabled(false));
    runtime.click(get<rt::CommandButton>("Go"));
    EXPECT_EQ(events, (std::vector<std::string>{"go begins", "inner", "go ends"}));
    runtime.click(get<rt::CommandButton>("Inner"));
    EXPECT_EQ(events.size(), 3u) << "a disabled button took a user's click";
}

TEST_F(Runtime, OneHandlerAtATime) {
    // Events that arrive while a handler runs (through a nested event loop)
    // must not run inside it.
    handlers["go"] = [&] {
        runtime.click(get<rt::CommandButton>("Inner"));
        runtime.advance(500);
        events.push_back("go");
    };
    bind();
    rt::check(get<rt::Timer>("Fast").setEnabled(true));
    runtime.click(get<rt::CommandButton>("Go"));
    EXPECT_EQ(events, std::vector<std::string>{"go"});
    EXPECT_EQ(runtime.now(), 0);
}

TEST_F(Runtime, AnErrorInAHandlerIsReportedOnceAndEndsTheProgram) {
    for (bool foreign : {false, true}) {
        testing_support::RecordingReporter reporter;
        rt::Runtime runtime(random, reporter);
        rt::Form& form = runtime.createForm(description);
        handlers["go"] = [foreign] {
            if (foreign)
                throw std::logic_error("broken");
            throw rt::RuntimeError(rt::ErrorCode::overflow, "test");
        };
        form.bindEvents(handlers);
        rt::check(form.control<rt::Timer>("Fast").setEnabled(true));
        runtime.click(form.control<rt::CommandButton>("Go"));
        runtime.advance(10000);
        runtime.click(form.control<rt::CommandButton>("Inner"));
        ASSERT_EQ(reporter.errors.size(), 1u);
        EXPECT_EQ(reporter.errors[0].code(),
                  foreign ? rt::ErrorCode::internal : rt::ErrorCode::overflow);
        EXPECT_TRUE(runtime.ended());
        EXPECT_NE(runtime.exitCode(), 0);
        EXPECT_TRUE(events.empty()) << "a handler ran after the program ended";
    }
}

TEST_F(Runtime, UnloadEndsTheProgramStopsTimersAndFailsLaterOperations) {
    handlers["go"] = [&] { rt::check(form.unload()); };
    bind();
    rt::check(get<rt::Timer>("Fast").setEnabled(true));
    runtime.click(get<rt::CommandButton>("Go"));
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(runtime.exitCode(), 0);
    runtime.advance(10000);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(get<rt::Label>("Caption").setCaption("1"), rt::Status::controlUnloaded);
    EXPECT_THROW(rt::check(get<rt::Label>("Caption").caption()), rt::RuntimeError);
}

TEST_F(Runtime, AFaultyDescriptionIsFoundAtStartUpNamingWhatIsWrong) {
    const rt::EventBinding broken[][1] = {
        {{"Go", "Click", "missing_handler"}},
        {{"Nowhere", "Click", "go"}},
        {{"Go", "Timer", "go"}},
        {{"Test", "Click", "go"}},
    };
    for (const auto& rows : broken) {
        rt::FormDescription faulty = description;
        faulty.bindings = rows;
        try {
            runtime.createForm(faulty).bindEvents(handlers);
            ADD_FAILURE() << "bound " << rows[0].handler;
        } catch (const rt::DescriptionError& error) {
            std::string message = error.what();
            for (std::string_view name : {rows[0].control, rows[0].event, rows[0].handler})
                EXPECT_NE(message.find(name), std::string::npos) << message;
        }
    }
    const rt::ControlDescription twice[] = {controls[2], controls[2]};
    rt::FormDescription faulty = description;
    faulty.controls = twice;
    EXPECT_THROW(runtime.createForm(faulty), rt::DescriptionError);
    EXPECT_THROW(form.control<rt::Label>("Go"), rt::DescriptionError);
}

} // namespace
