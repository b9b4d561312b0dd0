// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"

namespace window {

// The game's window as data: the form, its controls in creation order, and
// which handler each event calls.
extern const rt::FormDescription form1Description;

} // namespace window
