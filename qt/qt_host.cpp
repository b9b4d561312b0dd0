// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_host.h"

#include <QCoreApplication>

#include <utility>

namespace qtui {

QtHost::QtHost(rt::Runtime& runtime, TimeSource time) : ClockedHost(runtime, std::move(time)) {
    timer_.setSingleShot(true);
    // The default coarse timer may tick up to 5% late.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { catchUp(); });
}

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

void QtHost::wakeAfter(std::int64_t milliseconds) { timer_.start(int(milliseconds)); }

void QtHost::stopWaking() { timer_.stop(); }

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
