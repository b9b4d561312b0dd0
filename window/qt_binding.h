// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

class QLabel;

namespace window {

class Announcer;

// The window of one form, built from its description: a widget per visible
// control, placed, coloured and in tab order. It forwards clicks to the
// runtime and mirrors what the runtime changes.
class QtHost;

class FormWindow : public QWidget {
public:
    FormWindow(QtHost& host, rt::Runtime& runtime, rt::Form& form);

    QWidget* widget(std::string_view controlName) const;
    void controlChanged(const rt::Control& control);
    // Speaks the text through a screen reader, wherever the focus is.
    void announce(const QString& text);
    // Sets a control's tooltip and accessible description.
    void describe(std::string_view controlName, const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    // A count: the label that a caption names.
    bool isCount(const rt::ControlDescription& description) const;
    void layoutCount(QLabel* label, const rt::ControlDescription& description);
    QString colourName(rt::Colour colour) const;
    QSize freeRoomOf(const rt::ControlDescription& description) const;

    QtHost& host_;
    rt::Runtime& runtime_;
    rt::Form& form_;
    std::map<const rt::Control*, QWidget*> widgets_;
    Announcer* announcer_ = nullptr;
};

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

} // namespace window
