// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colour_widgets.h"

#include <QFocusEvent>
#include <QPainter>

namespace qtui {
namespace {

// Draws a focus mark as two nested rectangles, white outside and black
// inside, so that it shows on every colour and leaves the middle untouched.
void drawFocusMark(QPainter& painter, QRect area) {
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(area.adjusted(1, 1, -2, -2));
}

} // namespace

ColourButton::ColourButton(QColor colour, QWidget* parent) : QPushButton(parent) {
    // Measured: only a style sheet keeps the square solid at rest, pressed and
    // focused; palette fills leave the style's bevel or lose the colour. Without
    // "outline: none", focus reached by keyboard lets the style tint the whole
    // square with its translucent focus frame.
    setStyleSheet(
        QStringLiteral("background-color: %1; border: none; outline: none").arg(colour.name()));
}

void ColourButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        drawFocusMark(painter, rect().adjusted(2, 2, -2, -2));
    }
}

ColourPanel::ColourPanel(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::TabFocus); }

void ColourPanel::setColour(QColor colour) {
    colour_ = colour;
    update();
}

void ColourPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
    if (showFocus_)
        drawFocusMark(painter, rect());
}

void ColourPanel::focusInEvent(QFocusEvent* event) {
    // The panel holds the focus when the window opens; only a move there by
    // keyboard shows the mark.
    showFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void ColourPanel::focusOutEvent(QFocusEvent* event) {
    showFocus_ = false;
    update();
    QWidget::focusOutEvent(event);
}

} // namespace qtui
