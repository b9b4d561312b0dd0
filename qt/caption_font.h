// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

namespace qtui {

// Captions are drawn at this size, so that "Incorrect:" fits its 49-pixel label.
inline constexpr int captionPixelSize = 10;

// The application's font at the given size, for captions and counts.
QFont captionFont(int pixelSize);

} // namespace qtui
