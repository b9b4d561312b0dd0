// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clocked_host.h"
#include "form_window.h"

#include <QTimer>

#include <cstdint>
#include <map>
#include <memory>

namespace qtui {

// Connects the runtime to Qt: keeps its clock on a Qt timer, mirrors control
// changes on the windows, and quits the application when the program ends.
class QtHost final : public rt::ClockedHost {
public:
    explicit QtHost(rt::Runtime& runtime, TimeSource time = {});

    // Builds the window of a form the runtime has created.
    FormWindow& addWindow(rt::Form& form);

    void controlChanged(const rt::Control& control) override;
    void formUnloaded(const rt::Form& form) override;
    void exit(int code) override;

protected:
    void wakeAfter(std::int64_t milliseconds) override;
    void stopWaking() override;

private:
    QTimer timer_;
    std::map<const rt::Form*, std::unique_ptr<FormWindow>> windows_;
};

} // namespace qtui
