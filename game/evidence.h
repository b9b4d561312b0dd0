// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace game {

// How strongly a tally of blind guesses speaks against luck alone, as the
// natural logarithm of an e-value E: the likelihood ratio of the tally
// against luck's 1 in 6, mixed over a fixed set of hit rates a hunch might
// have. For a player with no hunch E is a nonnegative martingale that starts
// at 1, so by Ville's inequality the chance that it ever reaches x, however
// many guesses are made and however often it is looked at, is at most 1/x.
// It depends on the tally alone, not on the order of the hits, and costs the
// same few dozen operations at any count.
double logEvidence(std::int64_t guesses, std::int64_t right);

} // namespace game
