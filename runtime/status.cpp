// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "status.h"

namespace rt {

void check(Status status) {
    if (status == Status::controlUnloaded)
        throw RuntimeError(ErrorCode::controlUnloaded, "its form has been unloaded");
}

} // namespace rt
