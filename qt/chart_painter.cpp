// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <cmath>
#include <variant>

namespace qtui {
namespace {

QColor colour(report::Colour argb) { return QColor::fromRgba(argb); }

// Qt counts dashes in pen widths; the scene counts them in its units.
QPen pen(const report::Pen& from) {
    QPen result(colour(from.colour), from.width);
    if (!from.dashes.empty()) {
        QList<qreal> dashes;
        for (const double dash : from.dashes)
            dashes << dash / from.width;
        result.setDashPattern(dashes);
    }
    result.setJoinStyle(from.round ? Qt::RoundJoin : Qt::MiterJoin);
    result.setCapStyle(from.round ? Qt::RoundCap : Qt::FlatCap);
    return result;
}

void clipTo(QPainter& painter, const std::optional<report::Box>& clip) {
    if (clip)
        painter.setClipRect(QRectF(clip->left, clip->top, clip->width, clip->height));
    else
        painter.setClipping(false);
}

void paint(QPainter& painter, const report::Path& path) {
    QPolygonF points;
    for (const report::Point& point : path.points)
        points << QPointF(point.x, point.y);
    clipTo(painter, path.clip);
    painter.setBrush(path.fill ? QBrush(colour(*path.fill)) : QBrush(Qt::NoBrush));
    painter.setPen(path.pen ? pen(*path.pen) : QPen(Qt::NoPen));
    if (path.closed)
        painter.drawPolygon(points);
    else
        painter.drawPolyline(points);
}

void paint(QPainter& painter, const report::Dots& dots) {
    clipTo(painter, dots.clip);
    painter.setBrush(colour(dots.colour));
    painter.setPen(Qt::NoPen);
    for (const report::Point& centre : dots.centres)
        painter.drawEllipse(QPointF(centre.x, centre.y), dots.radius, dots.radius);
}

void paint(QPainter& painter, const report::Text& text) {
    QFont font(QString::fromLatin1(report::sceneFont));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(int(std::lround(text.size)));
    font.setBold(text.bold);
    const QString words = QString::fromStdString(text.text);
    const double advance = QFontMetricsF(font).horizontalAdvance(words);
    clipTo(painter, {});
    painter.save();
    painter.translate(text.at.x, text.at.y);
    if (text.vertical)
        painter.rotate(-90);
    painter.setFont(font);
    painter.setPen(colour(text.colour));
    const double shift = text.anchor == report::Anchor::start    ? 0
                         : text.anchor == report::Anchor::middle ? advance / 2
                                                                 : advance;
    painter.drawText(QPointF(-shift, 0), words);
    painter.restore();
}

} // namespace

QImage paintedScene(const report::Scene& scene) {
    QImage image(int(std::ceil(scene.width)), int(std::ceil(scene.height)), QImage::Format_RGB32);
    image.fill(colour(scene.background));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const report::Item& item : scene.items)
        std::visit([&](const auto& shape) { paint(painter, shape); }, item);
    return image;
}

} // namespace qtui
