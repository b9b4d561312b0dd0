// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "random.h"

namespace rt {

float unitFloat(std::uint32_t bits) { return static_cast<float>(bits >> 8) * 0x1p-24f; }

} // namespace rt
