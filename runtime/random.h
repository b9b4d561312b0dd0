// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace rt {

// Where the runtime's random numbers come from. Tests hand in their own.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // The next value r with 0 <= r < 1.
    virtual float next() = 0;
};

// Maps 32 random bits to one of the 2^24 evenly spaced floats 0, 2^-24, ...,
// 1 - 2^-24. Every one of them is exact in single precision, so the result
// can never round up to 1.
float unitFloat(std::uint32_t bits);

// Each value from 32 fresh bits of the operating system's cryptographic
// generator, so that no number of secrets seen tells the next one: getrandom
// on Linux, BCryptGenRandom on Windows, each in its system's folder (posix/,
// win32/). A failure of the system call is a run-time error.
class SystemRandom final : public RandomSource {
public:
    float next() override;
};

} // namespace rt
