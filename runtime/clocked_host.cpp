// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clocked_host.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

namespace rt {

ClockedHost::TimeSource ClockedHost::realTime() {
    const auto start = std::chrono::steady_clock::now();
    return [start] {
        return std::int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count());
    };
}

ClockedHost::ClockedHost(Runtime& runtime, TimeSource time)
    : runtime_(runtime), time_(std::move(time)) {
    runtime_.setHost(this);
}

ClockedHost::~ClockedHost() { runtime_.setHost(nullptr); }

void ClockedHost::catchUp() {
    if (!time_)
        return;
    runtime_.advanceTo(time_());
    scheduleChanged();
}

void ClockedHost::scheduleChanged() {
    if (!time_)
        return;
    const std::optional<std::int64_t> due = runtime_.nextDue();
    if (!due) {
        stopWaking();
        return;
    }
    // No wait so long that a toolkit's timer could not take it.
    wakeAfter(std::clamp<std::int64_t>(*due - time_(), 0, 1'000'000));
}

} // namespace rt
