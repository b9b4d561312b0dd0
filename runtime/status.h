// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "error.h"

#include <utility>

namespace rt {

// What a control operation reports. The caller tests it with check() right
// after the call, which turns a failure into a run-time error.
enum class Status { ok, controlUnloaded };

template <class T> struct [[nodiscard]] Result {
    Status status;
    T value;
};

void check(Status status);

template <class T> T check(Result<T> result) {
    check(result.status);
    return std::move(result.value);
}

} // namespace rt
