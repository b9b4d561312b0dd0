// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_window.h"

#include "accessible_names.h"
#include "announcer.h"
#include "caption_font.h"
#include "colour_widgets.h"
#include "count_layout.h"
#include "count_room.h"
#include "qt_conversions.h"
#include "qt_host.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace qtui {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

FormWindow::FormWindow(QtHost& host, rt::Runtime& runtime, rt::Form& form)
    : host_(host), runtime_(runtime), form_(form) {
    const rt::FormDescription& d = form.description();
    setObjectName(qs(d.name));
    setWindowTitle(qs(d.caption));
    setFixedSize(window::twipsToPixels(d.clientWidth), window::twipsToPixels(d.clientHeight));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(d.backColour));
    setPalette(palette);
    setAutoFillBackground(true);
    build();
    announcer_ = new Announcer(this);
}

void FormWindow::build() {
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const auto& control : form_.controls()) {
        const rt::ControlDescription& d = control->description();
        QWidget* widget = nullptr;
        switch (d.kind) {
        case rt::ControlKind::pushButton:
        case rt::ControlKind::graphicalButton: {
            QPushButton* button = d.kind == rt::ControlKind::graphicalButton
                                      ? new ColourButton(toQColor(d.backColour), this)
                                      : new QPushButton(qs(d.caption), this);
            button->setAutoDefault(false);
            button->setDefault(false);
            button->setFont(captionFont(captionPixelSize));
            auto* runtimeButton = static_cast<rt::CommandButton*>(control.get());
            button->setEnabled(runtimeButton->isEnabled());
            connect(button, &QPushButton::clicked, this, [this, runtimeButton] {
                host_.catchUp();
                runtime_.click(*runtimeButton);
            });
            widget = button;
            break;
        }
        case rt::ControlKind::label: {
            auto* label = new QLabel(qs(d.caption), this);
            label->setFont(captionFont(captionPixelSize));
            label->setAutoFillBackground(true);
            QPalette palette = label->palette();
            palette.setColor(QPalette::Window, toQColor(d.backColour));
            palette.setColor(QPalette::WindowText, toQColor(d.foreColour));
            label->setPalette(palette);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case rt::ControlKind::pictureBox:
            widget = new ColourPanel(this);
            break;
        case rt::ControlKind::timer:
            break;
        }
        if (!widget)
            continue;
        widget->setObjectName(qs(d.name));
        widget->setGeometry(pixelRect(d));
        // A tooltip also becomes the accessible description, which a screen
        // reader reads after the name: only where it says more than the name.
        if (d.kind == rt::ControlKind::graphicalButton)
            widget->setToolTip(qs(d.accessibleName));
        widgets_[control.get()] = widget;
        if (widget->focusPolicy() != Qt::NoFocus)
            tabOrder.emplace_back(d.tabIndex, widget);
        controlChanged(*control);
    }
    for (const auto& [control, widget] : widgets_) {
        const rt::ControlDescription& d = control->description();
        if (auto* caption = qobject_cast<QLabel*>(widget); caption && !d.labelFor.empty())
            caption->setBuddy(this->widget(d.labelFor));
        // A count's box starts a pixel inside the caption on its left; stacked
        // above it, the count keeps the left edge of its first digit.
        if (window::isCount(form_.description(), d))
            widget->raise();
    }
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    // The first control in tab order holds the focus when the window opens.
    if (!tabOrder.empty())
        tabOrder.front().second->setFocus(Qt::OtherFocusReason);
}

void FormWindow::announce(const QString& text) { announcer_->announce(text); }

void FormWindow::describe(std::string_view controlName, const QString& text) {
    QWidget* described = widget(controlName);
    described->setToolTip(text);
    described->setAccessibleDescription(text);
}

QWidget* FormWindow::widget(std::string_view controlName) const {
    for (const auto& [control, widget] : widgets_)
        if (control->name() == controlName)
            return widget;
    return nullptr;
}

// Runs inside Qt's event handling, where no exception may pass: it reads the
// runtime's state without the checks that throw, and only for a loaded form.
void FormWindow::controlChanged(const rt::Control& control) {
    auto found = widgets_.find(&control);
    if (found == widgets_.end())
        return;
    QWidget* widget = found->second;
    const rt::ControlDescription& d = control.description();
    if (auto* label = dynamic_cast<const rt::Label*>(&control)) {
        auto* qlabel = static_cast<QLabel*>(widget);
        qlabel->setText(qs(label->caption().value));
        if (window::isCount(form_.description(), d)) {
            // Read as the plain digits, however the layout wraps them.
            qlabel->setAccessibleName(qlabel->text());
            layoutCount(qlabel, form_.description(), d);
        }
    } else if (auto* panel = dynamic_cast<const rt::PictureBox*>(&control)) {
        rt::Colour colour = panel->backColour().value;
        static_cast<ColourPanel*>(widget)->setColour(toQColor(colour));
        widget->setAccessibleName(
            QString::fromStdString(window::panelName(form_.description(), d, colour)));
    } else if (auto* button = dynamic_cast<const rt::CommandButton*>(&control)) {
        widget->setEnabled(button->isEnabled());
        if (!d.accessibleName.empty())
            widget->setAccessibleName(qs(d.accessibleName));
    }
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // Closing through the window system unloads the form, as Exit does.
    host_.catchUp();
    if (runtime_.requestClose(form_))
        event->accept();
    else
        event->ignore();
}

} // namespace qtui
