// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form_window.h"
#include "runtime.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace qtui {

// Connects the runtime to Qt: keeps its clock on a time source, mirrors
// control changes on the windows, and quits the application when the
// program ends.
class QtHost final : public rt::Host {
public:
    // Milliseconds from a fixed start, never going back.
    using TimeSource = std::function<std::int64_t()>;
    // The time since this call, from a monotonic clock.
    static TimeSource realTime();

    // With a time source, the runtime's clock follows it: the host wakes when
    // the next tick falls due and catches up before every user event. Without
    // one, whoever owns the runtime moves its clock by hand.
    explicit QtHost(rt::Runtime& runtime, TimeSource time = {});
    ~QtHost() override;

    // Brings the runtime's clock up to the time source, running the ticks
    // that fell due meanwhile, so that what the user does next is timed from
    // now and not from the last tick.
    void catchUp();

    // Builds the window of a form the runtime has created.
    FormWindow& addWindow(rt::Form& form);

    void controlChanged(const rt::Control& control) override;
    void scheduleChanged() override;
    void formUnloaded(const rt::Form& form) override;
    void exit(int code) override;

private:
    rt::Runtime& runtime_;
    TimeSource time_;
    QTimer timer_;
    std::map<const rt::Form*, std::unique_ptr<FormWindow>> windows_;
};

} // namespace qtui
