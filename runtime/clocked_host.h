// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime.h"

#include <cstdint>
#include <functional>

namespace rt {

// What every front end's host does alike: keeps the runtime's clock on a time
// source, waking when the next tick falls due and catching up before every
// user event, so that what the user does is timed from the moment it comes.
// A front end supplies the wake-up, a timer of its toolkit.
class ClockedHost : public Host {
public:
    // Milliseconds from a fixed start, never going back.
    using TimeSource = std::function<std::int64_t()>;
    // The time since this call, from the system's steady clock.
    static TimeSource realTime();

    // With a time source, the runtime's clock follows it. Without one,
    // whoever owns the runtime moves its clock by hand. Becomes the runtime's
    // host until destroyed.
    ClockedHost(Runtime& runtime, TimeSource time);
    ~ClockedHost() override;
    ClockedHost(const ClockedHost&) = delete;
    ClockedHost& operator=(const ClockedHost&) = delete;

    // Brings the runtime's clock up to the time source, running the ticks
    // that fell due meanwhile.
    void catchUp();
    void scheduleChanged() override;

protected:
    // Calls catchUp() once, after about that many milliseconds, instead of
    // any wake-up asked for before.
    virtual void wakeAfter(std::int64_t milliseconds) = 0;
    virtual void stopWaking() = 0;

    Runtime& runtime_;

private:
    TimeSource time_;
};

} // namespace rt
