// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <random>

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

class GeneratorRandom final : public RandomSource {
public:
    explicit GeneratorRandom(std::uint32_t seed) : engine_(seed) {}
    // Seeded from the system's entropy: a new sequence at every start.
    static GeneratorRandom fromEntropy();

    float next() override { return unitFloat(static_cast<std::uint32_t>(engine_())); }

private:
    std::mt19937 engine_;
};

} // namespace rt
