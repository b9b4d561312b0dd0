// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The runtime's random numbers on Linux: the kernel's cryptographic generator.
#include "random.h"

#include "error.h"

#include <sys/random.h>

#include <cerrno>
#include <cstring>

namespace rt {

float SystemRandom::next() {
    std::uint32_t bits = 0;
    ssize_t got = 0;
    // Four bytes never come back short from getrandom, but a signal can
    // interrupt it before the pool is first seeded.
    do {
        got = getrandom(&bits, sizeof bits, 0);
    } while (got < 0 && errno == EINTR);
    if (got != ssize_t(sizeof bits))
        throw RuntimeError(ErrorCode::internal,
                           std::string("the system's random generator failed: ") +
                               std::strerror(got < 0 ? errno : EIO));
    return unitFloat(bits);
}

} // namespace rt
