// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A report's drawing painted with Qt, for a PNG image.
#pragma once

#include "scene.h"

#include <QImage>

namespace qtui {

// The scene as an image of its size, one pixel to its unit. Needs a
// QGuiApplication (the caller makes one, on the offscreen platform when there
// is no display).
QImage paintedScene(const report::Scene& scene);

} // namespace qtui
