// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime.h"

#include <new>

namespace rt {

Runtime::Runtime(RandomSource& random, ErrorReporter& reporter)
    : random_(random), reporter_(reporter) {}

Runtime::~Runtime() = default;

Form& Runtime::createForm(const FormDescription& description) {
    forms_.push_back(std::make_unique<Form>(*this, description));
    return *forms_.back();
}

void Runtime::load(Form& form) {
    dispatch([&form] { form.runLoad(); });
}

void Runtime::click(CommandButton& button) {
    dispatch([&button] { button.userClick(); }, &button);
}

bool Runtime::requestClose(Form& form) {
    if (ended_)
        return exitCode_ == 0;
    return dispatch([&form] { check(form.unload()); });
}

void Runtime::advanceTo(std::int64_t time) {
    if (busy_ || ended_)
        return;
    while (Timer* timer = nextTimer(time)) {
        if (timer->due() > now_)
            now_ = timer->due();
        dispatch([timer] { timer->tick(); });
        scheduleChanged();
        if (ended_)
            return;
    }
    if (time > now_)
        now_ = time;
}

Timer* Runtime::nextTimer(std::int64_t until) const {
    Timer* next = nullptr;
    for (const auto& form : forms_) {
        if (!form->loaded())
            continue;
        for (const auto& control : form->controls()) {
            auto* timer = dynamic_cast<Timer*>(control.get());
            if (timer && timer->isEnabled() && timer->interval() > 0 && timer->due() <= until &&
                (!next || timer->due() < next->due()))
                next = timer;
        }
    }
    return next;
}

std::optional<std::int64_t> Runtime::nextDue() const {
    if (ended_)
        return std::nullopt;
    Timer* next = nextTimer(INT64_MAX);
    if (!next)
        return std::nullopt;
    return next->due();
}

bool Runtime::dispatch(const Handler& handler, const Control* clicked) {
    if (busy_ || ended_)
        return false;
    std::optional<RuntimeError> error;
    busy_ = true;
    if (watcher_)
        watcher_->beforeEvent(clicked);
    try {
        handler();
        if (watcher_ && !ended_)
            watcher_->afterEvent();
    } catch (const RuntimeError& raised) {
        error = raised;
    } catch (const std::bad_alloc&) {
        error = RuntimeError(ErrorCode::outOfMemory, {});
    } catch (const std::exception& raised) {
        error = RuntimeError(ErrorCode::internal, raised.what());
    }
    busy_ = false;
    if (error)
        fail(*error);
    return true;
}

void Runtime::fail(const RuntimeError& error) {
    // Ended before the report, so that no handler or tick runs while the
    // report waits for the user.
    ended_ = true;
    exitCode_ = 1;
    reporter_.report(error);
    end(1);
}

void Runtime::end(int code) {
    ended_ = true;
    exitCode_ = code;
    if (host_)
        host_->exit(code);
}

void Runtime::formUnloaded(Form& form) {
    if (host_)
        host_->formUnloaded(form);
    scheduleChanged();
    for (const auto& other : forms_)
        if (other->loaded())
            return;
    end(0);
}

void Runtime::controlChanged(const Control& control) {
    if (host_)
        host_->controlChanged(control);
}

void Runtime::scheduleChanged() {
    if (host_)
        host_->scheduleChanged();
}

} // namespace rt
