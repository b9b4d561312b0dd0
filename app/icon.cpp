// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QString>

#include <algorithm>
#include <map>
#include <vector>

namespace app {
namespace {

// Rectangles on a 32 x 32 grid, painted in order, each over the ones before.
struct Shape {
    int x, y, width, height;
    QRgb colour;
};

constexpr int grid = 32;
constexpr QRgb frame = 0xFF303030, light = 0xFFC0C0C0, white = 0xFFFFFFFF, grey = 0xFF808080,
               black = 0xFF000000, red = 0xFFFF0000;

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

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Grid lines to the nearest pixel line, so nothing blurs; one halfway
    // goes toward the middle, which keeps the frame's one-unit border at 16.
    auto pixel = [size](int at) {
        const int scaled = at * size, whole = scaled / grid, twiceRest = 2 * (scaled % grid);
        if (twiceRest != grid)
            return whole + (twiceRest > grid ? 1 : 0);
        return whole + (2 * scaled < size * grid ? 1 : 0);
    };
    for (const Shape& s : drawing()) {
        const QRect rect(QPoint(pixel(s.x), pixel(s.y)),
                         QPoint(pixel(s.x + s.width) - 1, pixel(s.y + s.height) - 1));
        painter.fillRect(rect, QColor::fromRgba(s.colour));
    }
    return image;
}

QByteArray iconSvg() {
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                 "height=\"%1\" viewBox=\"0 0 %1 %1\" "
                                 "shape-rendering=\"crispEdges\">\n")
                      .arg(grid);
    for (const Shape& s : drawing())
        svg +=
            QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                .arg(s.x)
                .arg(s.y)
                .arg(s.width)
                .arg(s.height)
                .arg(QColor::fromRgb(s.colour).name());
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

namespace {

// The window's icon, drawn at the pixel size that is asked for when it is
// asked for. Qt asks only on X11, as it creates the window, for each of
// windowIconSizes at the screen's scale, so every size is crisp and nothing
// is drawn on Wayland, which takes the icon from the theme alone.
class DrawnIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        // Qt asks for every size twice while it creates a window.
        QPixmap& drawn = drawn_[side];
        if (drawn.isNull())
            drawn = QPixmap::fromImage(drawIcon(side));
        return drawn;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int size : windowIconSizes)
            sizes.append({size, size});
        return sizes;
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

private:
    std::map<int, QPixmap> drawn_;
};

} // namespace

QIcon icon() { return QIcon(new DrawnIconEngine); }

} // namespace app
