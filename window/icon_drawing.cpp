// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "icon_drawing.h"

#include <cstdio>

namespace window {
namespace {

// Rectangles on a 32 x 32 grid, painted in order, each over the ones before.
struct Shape {
    int x, y, width, height;
    std::uint32_t colour; // 0xAARRGGBB
};

constexpr int grid = 32;
constexpr std::uint32_t frame = 0xFF303030, light = 0xFFC0C0C0, white = 0xFFFFFFFF,
                        grey = 0xFF808080, black = 0xFF000000, red = 0xFFFF0000;

// Main edges on even lines, so that at 16 x 16 every square, gap and border
// keeps a pixel; the one-unit details there may go.
std::vector<Shape> drawing() {
    std::vector<Shape> shapes = {
        // The window: a dark frame with cut corners around a light grey face.
        {2, 0, 28, 32, frame},
        {1, 1, 30, 30, frame},
        {0, 2, 32, 28, frame},
        {2, 1, 28, 30, light},
        {1, 2, 30, 28, light},
        // The black colour panel hiding its secret: a white question mark.
        {4, 4, 12, 12, black},
        {8, 6, 4, 2, white},
        {6, 8, 2, 2, white},
        {12, 8, 2, 2, white},
        {10, 10, 2, 2, white},
        {10, 13, 2, 2, white},
        // The six colour buttons: red, yellow; green, blue; purple, orange.
        {18, 4, 4, 4, 0xFFFF0000},
        {24, 4, 4, 4, 0xFFFFFF00},
        {18, 10, 4, 4, 0xFF00C000},
        {24, 10, 4, 4, 0xFF0000FF},
        {18, 16, 4, 4, 0xFF800080},
        {24, 16, 4, 4, 0xFFFF8000},
        // The counter row, red on black.
        {4, 18, 12, 2, black},
        {5, 18, 4, 1, red},
        {11, 18, 3, 1, red}};
    // Start, Stop and Exit: raised buttons with a dark caption.
    for (int x : {4, 12, 20}) {
        shapes.insert(shapes.end(), {{x, 22, 8, 6, frame},
                                     {x, 22, 7, 5, white},
                                     {x + 1, 23, 6, 4, grey},
                                     {x + 1, 23, 5, 3, light},
                                     {x + 2, 24, 3, 1, black}});
    }
    return shapes;
}

} // namespace

IconImage drawIcon(int size) {
    IconImage image{size, std::vector<std::uint32_t>(std::size_t(size) * std::size_t(size), 0)};
    // Grid lines to the nearest pixel line, so nothing blurs; one halfway
    // goes toward the middle, which keeps the frame's one-unit border at 16.
    auto pixel = [size](int at) {
        const int scaled = at * size, whole = scaled / grid, twiceRest = 2 * (scaled % grid);
        if (twiceRest != grid)
            return whole + (twiceRest > grid ? 1 : 0);
        return whole + (2 * scaled < size * grid ? 1 : 0);
    };
    for (const Shape& s : drawing())
        for (int y = pixel(s.y); y < pixel(s.y + s.height); ++y)
            for (int x = pixel(s.x); x < pixel(s.x + s.width); ++x)
                image.pixels[std::size_t(y) * std::size_t(size) + std::size_t(x)] = s.colour;
    return image;
}

std::string iconSvg() {
    const std::string side = std::to_string(grid);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      side + "\" height=\"" + side + "\" viewBox=\"0 0 " + side + " " + side +
                      "\" shape-rendering=\"crispEdges\">\n";
    for (const Shape& s : drawing()) {
        char rect[128];
        std::snprintf(rect, sizeof rect,
                      "  <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"#%06x\"/>\n",
                      s.x, s.y, s.width, s.height, unsigned(s.colour & 0xFFFFFF));
        svg += rect;
    }
    return svg + "</svg>\n";
}

} // namespace window
