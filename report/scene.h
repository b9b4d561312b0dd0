// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A drawing as data, which each front end's painter and the SVG writer draw
// alike: lines, areas, dots and words in order, the later over the earlier, on
// a plain background. Lengths are in the drawing's units, a pixel of its
// picture at its own size; y grows downwards.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace report {

// 0xAARRGGBB, as Qt's QRgb has it: alpha 0xFF is opaque.
using Colour = std::uint32_t;

struct Point {
    double x = 0, y = 0;
};

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// How a line is drawn. dashes: lengths of dash, gap, dash, ...; none for a
// solid line. round: round joins and ends, as a pen's stroke; else mitred
// joins and flat ends.
struct Pen {
    Colour colour = 0xFF000000;
    double width = 1;
    std::vector<double> dashes = {};
    bool round = false;
};

// Straight lines through the points, closed into an area or not, filled and
// then outlined; only what falls inside clip shows, when there is one.
struct Path {
    std::vector<Point> points;
    bool closed = false;
    std::optional<Colour> fill;
    std::optional<Pen> pen;
    std::optional<Box> clip;
};

// Filled circles of one size and colour.
struct Dots {
    std::vector<Point> centres;
    double radius = 1;
    Colour colour = 0xFF000000;
    std::optional<Box> clip;
};

enum class Anchor { start, middle, end };

// One line of words in the sans-serif face, at `at` on its baseline: its
// start, middle or end there, as anchor says. vertical turns it a quarter turn
// to the left about that point, to read upwards.
struct Text {
    std::string text;
    Point at;
    double size = 12;
    Colour colour = 0xFF000000;
    Anchor anchor = Anchor::start;
    bool bold = false;
    bool vertical = false;
};

using Item = std::variant<Path, Dots, Text>;

struct Scene {
    double width = 0, height = 0;
    Colour background = 0xFFFFFFFF;
    std::vector<Item> items;
};

// The face a scene's words are laid out for: its widths are those of
// textWidth. The painters ask for it by name, and for any sans-serif face when
// it is missing.
inline constexpr const char* sceneFont = "DejaVu Sans";

// The width of one line of text at `size`, as the scene's face sets it;
// a character outside printable ASCII counts as wide as the widest.
double textWidth(const std::string& text, double size, bool bold);

} // namespace report
