// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime.h"

namespace qtui {

// Reports a run-time error on standard error and in a message box.
class MessageBoxReporter final : public rt::ErrorReporter {
public:
    void report(const rt::RuntimeError& error) override;
};

} // namespace qtui
