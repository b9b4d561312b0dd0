#include "fixture.h"
#include "runtime.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A small form of its own, so that these tests say what the runtime does
// whatever the game asks of it. Timers, presses in code and unloading are
// checked through the game, by the turn scenarios and the random walk.
constexpr rt::ControlDescription controls[] = {
    {"Fast", rt::ControlKind::timer, "", 0, 0, 0, 0, 0, 0, -1, 200, false},
    {"Go", rt::ControlKind::pushButton, "Go", 0, 0, 10, 10, 0, 0, 0},
    {"Inner", rt::ControlKind::pushButton, "Inner", 0, 20, 10, 10, 0, 0, 1},
};
constexpr rt::EventBinding bindings[] = {
    {"Fast", "Timer", "fast"},
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
        {"go", [this] { events.push_back("go"); }},
        {"inner", [this] { events.push_back("inner"); }},
    };
};

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
    const rt::ControlDescription twice[] = {controls[1], controls[1]};
    rt::FormDescription faulty = description;
    faulty.controls = twice;
    EXPECT_THROW(runtime.createForm(faulty), rt::DescriptionError);
    EXPECT_THROW(form.control<rt::Label>("Go"), rt::DescriptionError);
}

} // namespace
