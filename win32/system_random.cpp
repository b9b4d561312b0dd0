// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The runtime's random numbers on Windows: the system's cryptographic
// generator, through BCryptGenRandom.
#include "random.h"

#include "error.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstdio>

namespace rt {

float SystemRandom::next() {
    std::uint32_t bits = 0;
    const NTSTATUS status = BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&bits), sizeof bits,
                                            BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0) {
        char text[64];
        std::snprintf(text, sizeof text, "status 0x%08lX", static_cast<unsigned long>(status));
        throw RuntimeError(ErrorCode::internal,
                           std::string("the system's random generator failed: ") + text);
    }
    return unitFloat(bits);
}

} // namespace rt
