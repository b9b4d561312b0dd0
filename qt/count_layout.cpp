// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "count_layout.h"

#include "count_room.h"

#include "caption_font.h"
#include "qt_conversions.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace qtui {
namespace {

// A wide count shrinks its font down to this size before it gives up.
constexpr int smallestCountPixelSize = 6;

} // namespace

void layoutCount(QLabel* label, const rt::FormDescription& form, const rt::ControlDescription& d) {
    const QString count = label->text();
    const QRect geometry = pixelRect(d);
    const QSize room = toQRect(window::countRoom(form, d)).size().expandedTo(geometry.size());
    // Measured as a label draws it, rounded up to whole pixels.
    auto width = [](const QFont& font, const QString& text) {
        return QFontMetrics(font).size(0, text).width();
    };
    int pixelSize = captionPixelSize;
    QFont font = captionFont(pixelSize);
    while (pixelSize > smallestCountPixelSize && width(font, count) > room.width())
        font = captionFont(--pixelSize);
    qsizetype perLine = count.size();
    while (perLine > 1 && width(font, count.left(perLine)) > room.width())
        --perLine;
    QStringList lines;
    for (qsizetype i = 0; i < count.size(); i += perLine)
        lines << count.mid(i, perLine);
    label->setFont(font);
    label->setText(lines.join('\n'));
    const QSize text = QFontMetrics(font).size(0, label->text());
    label->setGeometry(QRect(geometry.topLeft(), text.expandedTo(geometry.size()).boundedTo(room)));
}

} // namespace qtui
