// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A scene as SVG, at its own size and scaling with its viewBox, labelled for
// screen readers with a title and a description.
#pragma once

#include "scene.h"

#include <string>

namespace report {

// The words that name a picture and say what it shows.
struct ImageText {
    std::string title, description;
};

// The scene as one <svg> element, to stand in an HTML page as it is; its
// own ids all begin with `id` and a dash, so several can share a page.
std::string svgElement(const Scene& scene, const std::string& id, const ImageText& text);

// The scene as an SVG file of its own.
std::string svgDocument(const Scene& scene, const ImageText& text);

} // namespace report
