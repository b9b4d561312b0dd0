// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_host.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <optional>
#include <utility>

namespace qtui {

QtHost::TimeSource QtHost::realTime() {
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    return [elapsed] { return std::int64_t(elapsed->elapsed()); };
}

QtHost::QtHost(rt::Runtime& runtime, TimeSource time) : runtime_(runtime), time_(std::move(time)) {
    timer_.setSingleShot(true);
    // The default coarse timer may tick up to 5% late.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { catchUp(); });
    runtime_.setHost(this);
}

QtHost::~QtHost() { runtime_.setHost(nullptr); }

FormWindow& QtHost::addWindow(rt::Form& form) {
    auto& window = windows_[&form];
    window = std::make_unique<FormWindow>(*this, runtime_, form);
    return *window;
}

void QtHost::controlChanged(const rt::Control& control) {
    auto found = windows_.find(&control.form());
    if (found != windows_.end())
        found->second->controlChanged(control);
}

void QtHost::scheduleChanged() {
    if (!time_)
        return;
    std::optional<std::int64_t> due = runtime_.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    std::int64_t wait = std::max<std::int64_t>(0, *due - time_());
    timer_.start(int(std::min<std::int64_t>(wait, 1'000'000)));
}

void QtHost::catchUp() {
    if (!time_)
        return;
    runtime_.advanceTo(time_());
    scheduleChanged();
}

void QtHost::formUnloaded(const rt::Form& form) {
    auto found = windows_.find(&form);
    if (found != windows_.end())
        found->second->hide();
}

void QtHost::exit(int code) {
    timer_.stop();
    QCoreApplication::exit(code);
}

} // namespace qtui
