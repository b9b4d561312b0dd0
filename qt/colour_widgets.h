// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPushButton>
#include <QWidget>

namespace qtui {

// A push button painted as a plain square of its colour. It draws its own
// focus mark, since a style-sheet colour hides the style's.
class ColourButton : public QPushButton {
public:
    ColourButton(QColor colour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The colour panel. It takes focus by keyboard only, so that a screen reader
// can land on it and read which colour it shows.
class ColourPanel : public QWidget {
public:
    explicit ColourPanel(QWidget* parent);
    void setColour(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QColor colour_;
    bool showFocus_ = false;
};

} // namespace qtui
