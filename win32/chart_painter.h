// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A report's drawing painted with GDI+ (gdiplus.dll, which Windows ships),
// for a PNG image.
#pragma once

#include "scene.h"

#include <string>

namespace win32ui {

// Paints the scene as an image of its size, one pixel to its unit, and saves
// it at path as PNG through GDI+'s encoder: nothing, or why it could not.
std::string savePng(const report::Scene& scene, const std::string& path);

} // namespace win32ui
