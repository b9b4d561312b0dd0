#include "fixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A small form of its own, so that these tests say what the runtime does
// whatever the game asks of it; timers, presses in code and unloading are
// checked through the game by the random walk.
constexpr rt::ControlDescription controls[] = {
    {"Fast", rt::ControlKind::timer, "", 0, 0, 0, 0, 0, 0, -1, 200, false},
    {"Go", rt::ControlKind::pushButton, "Go", 0, 0, 10, 10, 0, 0, 0},
    {"Inner", rt::ControlKind::pushButton, "Inner", 0, 20, 10, 10, 0, 0, 1},
};
constexpr rt::EventBinding bindings[] = {
    {"Fast", "Timer", "fast"}, {"Go", "Click", "go"}, {"Inner", "Click", "inner"}};
const rt::FormDescription description = {"Test", "Test", 100, 100, 0, controls, bindings};

// The form with its timer running and handlers that log their runs.
struct Rig {
    void start() {
        form.bindEvents(handlers);
        rt::check(form.control<rt::Timer>("Fast").setEnabled(true));
    }
    void click(const char* name) { runtime.click(form.control<rt::CommandButton>(name)); }

    testing_support::ScriptedRandom random;
    testing_support::RecordingReporter reporter;
    rt::Runtime runtime{random, reporter};
    rt::Form& form = runtime.createForm(description);
    std::string events;
    rt::HandlerTable handlers = {{"fast", [this] { events += "fast "; }},
                                 {"go", [this] { events += "go "; }},
                                 {"inner", [this] { events += "inner "; }}};
};

TEST(Runtime, OneHandlerAtATime) {
    // Events that arrive while a handler runs (through a nested event loop)
    // must not run inside it.
    Rig rig;
    rig.handlers["go"] = [&rig] {
        rig.click("Inner");
        rig.runtime.advance(500);
        rig.events += "go ";
    };
    rig.start();
    rig.click("Go");
    EXPECT_EQ(rig.events, "go ");
    EXPECT_EQ(rig.runtime.now(), 0);
}

TEST(Runtime, AnErrorInAHandlerIsReportedOnceWithItsDetailAndEndsTheProgram) {
    const std::pair<rt::Handler, std::string> rows[] = {
        {[] { throw rt::RuntimeError(rt::ErrorCode::overflow, "test"); },
         "Run-time error 6: Overflow (test)"},
        {[] { throw std::logic_error("broken"); }, "Run-time error 51: Internal error (broken)"}};
    for (const auto& [handler, message] : rows) {
        Rig rig;
        rig.handlers["go"] = handler;
        rig.start();
        rig.click("Go");
        rig.runtime.advance(10000);
        rig.click("Inner");
        ASSERT_EQ(rig.reporter.errors.size(), 1u);
        EXPECT_EQ(rt::standardMessage(rig.reporter.errors[0]), message);
        EXPECT_TRUE(rig.runtime.ended() && rig.runtime.exitCode() == 1);
        EXPECT_EQ(rig.events, "") << "a handler ran after the program ended";
    }
}

TEST(Runtime, AFaultyDescriptionIsFoundAtStartUpNamingWhatIsWrong) {
    const rt::EventBinding broken[][1] = {{{"Go", "Click", "missing_handler"}},
                                          {{"Nowhere", "Click", "go"}},
                                          {{"Go", "Timer", "go"}},
                                          {{"Test", "Click", "go"}}};
    Rig rig;
    for (const auto& rows : broken) {
        rt::FormDescription faulty = description;
        faulty.bindings = rows;
        try {
            rig.runtime.createForm(faulty).bindEvents(rig.handlers);
            ADD_FAILURE() << "bound " << rows[0].handler;
        } catch (const rt::DescriptionError& error) {
            for (std::string_view name : {rows[0].control, rows[0].event, rows[0].handler})
                EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
    const rt::ControlDescription twice[] = {controls[1], controls[1]};
    rt::FormDescription faulty = description;
    faulty.controls = twice;
    EXPECT_THROW(rig.runtime.createForm(faulty), rt::DescriptionError);
    EXPECT_THROW(rig.form.control<rt::Label>("Go"), rt::DescriptionError);
}

} // namespace
