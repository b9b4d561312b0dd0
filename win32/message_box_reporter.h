// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime.h"

namespace win32ui {

// Reports a run-time error on standard error, where there is one, and in a
// message box that holds up the program's windows until it is dismissed.
class MessageBoxReporter final : public rt::ErrorReporter {
public:
    void report(const rt::RuntimeError& error) override;
};

} // namespace win32ui
