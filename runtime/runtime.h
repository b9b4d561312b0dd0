// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "error.h"
#include "form.h"
#include "random.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace rt {

// Shows a run-time error to the user: a message box in the program, a
// recorder in tests.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const RuntimeError& error) = 0;
};

// The window binding, told of every change it has to mirror on screen.
class Host {
public:
    virtual ~Host() = default;
    virtual void controlChanged(const Control&) {}
    // A timer was started or stopped, or a tick ran: the next due time may
    // have moved.
    virtual void scheduleChanged() {}
    virtual void formUnloaded(const Form&) {}
    // The program is over, with this exit status.
    virtual void exit(int) {}
};

// Watches the events the runtime dispatches, from outside the forms' code:
// told just before each handler runs, with the button a user clicked (null
// for other events), and just after it returned without a run-time error and
// with the program still running. A run-time error that afterEvent raises is
// the event's own: it is reported and ends the program.
class EventWatcher {
public:
    virtual ~EventWatcher() = default;
    virtual void beforeEvent(const Control* clicked) = 0;
    virtual void afterEvent() = 0;
};

// The form runtime: owns the forms, runs their handlers one at a time, keeps
// the clock that drives their timers, and ends the program on a run-time
// error. Time is an input: the window binding advances the clock with real
// time, a test advances it by hand.
class Runtime {
public:
    Runtime(RandomSource& random, ErrorReporter& reporter);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    void setHost(Host* host) { host_ = host; }
    void setWatcher(EventWatcher* watcher) { watcher_ = watcher; }

    Form& createForm(const FormDescription& description);
    // Runs the form's Load handler.
    void load(Form& form);

    // A user's click. A disabled or unloaded button ignores it.
    void click(CommandButton& button);
    // The window system asks to close the form. Returns false when the
    // runtime is in no state to take events and the window should stay.
    bool requestClose(Form& form);

    std::int64_t now() const { return now_; }
    // Moves the clock forward, running every tick that falls due on the way,
    // in the order they fall due, each one between handlers.
    void advance(std::int64_t milliseconds) { advanceTo(now_ + milliseconds); }
    void advanceTo(std::int64_t time);
    // When the next tick falls due, if any timer is running.
    std::optional<std::int64_t> nextDue() const;

    // The next random value, 0 <= r < 1.
    float rnd() { return random_.next(); }

    // Runs one handler, for a click on `clicked` if it is one; a run-time
    // error in it is reported and ends the program. Does nothing while another
    // handler is running or after the program has ended. Returns whether the
    // handler ran.
    bool dispatch(const Handler& handler, const Control* clicked = nullptr);

    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }

    // Used by forms and controls.
    void formUnloaded(Form& form);
    void controlChanged(const Control& control);
    void scheduleChanged();

private:
    void fail(const RuntimeError& error);
    void end(int code);
    Timer* nextTimer(std::int64_t until) const;

    RandomSource& random_;
    ErrorReporter& reporter_;
    Host* host_ = nullptr;
    EventWatcher* watcher_ = nullptr;
    std::vector<std::unique_ptr<Form>> forms_;
    std::int64_t now_ = 0;
    bool busy_ = false;
    bool ended_ = false;
    int exitCode_ = 0;
};

} // namespace rt
