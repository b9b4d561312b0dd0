// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "count_layout.h"

#include "caption_font.h"
#include "qt_conversions.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

#include <algorithm>

namespace window {
namespace {

// A wide count shrinks its font down to this size before it gives up.
constexpr int smallestCountPixelSize = 6;

// The room from the control's top left corner to the next control on its row
// (or the window's right edge) and to the next control below within that
// width (or the window's bottom edge), in pixels.
QSize freeRoomOf(const rt::FormDescription& form, const rt::ControlDescription& d) {
    int right = form.clientWidth;
    for (const rt::ControlDescription& other : form.controls) {
        bool sameRow = other.top < d.top + d.height && d.top < other.top + other.height;
        if (&other != &d && other.kind != rt::ControlKind::timer && sameRow && other.left > d.left)
            right = std::min(right, other.left);
    }
    int bottom = form.clientHeight;
    for (const rt::ControlDescription& other : form.controls) {
        bool sameColumn = other.left < right && d.left < other.left + other.width;
        if (other.kind != rt::ControlKind::timer && sameColumn && other.top >= d.top + d.height)
            bottom = std::min(bottom, other.top);
    }
    return {twipsToPixels(right) - twipsToPixels(d.left),
            twipsToPixels(bottom) - twipsToPixels(d.top)};
}

} // namespace

bool isCount(const rt::FormDescription& form, const rt::ControlDescription& d) {
    return std::ranges::any_of(form.controls,
                               [&d](const auto& other) { return other.labelFor == d.name; });
}

void layoutCount(QLabel* label, const rt::FormDescription& form, const rt::ControlDescription& d) {
    const QString count = label->text();
    const QRect geometry = pixelRect(d);
    const QSize room = freeRoomOf(form, d).expandedTo(geometry.size());
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

} // namespace window
