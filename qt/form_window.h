// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime.h"

#include <QWidget>

#include <map>
#include <string_view>

namespace qtui {

class Announcer;
class QtHost;

// The window of one form, built from its description: a widget per visible
// control, placed, coloured and in tab order. It forwards clicks to the
// runtime and mirrors what the runtime changes.
class FormWindow : public QWidget {
public:
    FormWindow(QtHost& host, rt::Runtime& runtime, rt::Form& form);

    QWidget* widget(std::string_view controlName) const;
    void controlChanged(const rt::Control& control);
    // Speaks the text through a screen reader, wherever the focus is.
    void announce(const QString& text);
    // Sets a control's tooltip and accessible description.
    void describe(std::string_view controlName, const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();

    QtHost& host_;
    rt::Runtime& runtime_;
    rt::Form& form_;
    std::map<const rt::Control*, QWidget*> widgets_;
    Announcer* announcer_ = nullptr;
};

} // namespace qtui
