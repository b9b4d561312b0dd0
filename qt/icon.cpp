// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "icon.h"

#include "icon_drawing.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <map>

namespace qtui {

QImage iconImage(int size) {
    const window::IconImage drawn = window::drawIcon(size);
    // QImage's ARGB32 is the same 0xAARRGGBB per pixel.
    return QImage(reinterpret_cast<const uchar*>(drawn.pixels.data()), size, size,
                  QImage::Format_ARGB32)
        .copy();
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
            drawn = QPixmap::fromImage(iconImage(side));
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

} // namespace qtui
