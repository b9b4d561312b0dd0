// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <vector>

class QWidget;

namespace qtui {

// What the game says to a screen reader without moving the focus: zero-sized
// widgets with the accessible role of a notification, which screen readers
// speak each time one shows. A screen reader speaks only the last of several
// notifications shown in one pass of the event loop, and reads the name when
// it gets round to the event, later: so each pass shows at most one, texts
// sent meanwhile wait and show joined in the next pass, and a widget is
// renamed only once the screen reader must have read it.
class Announcer : public QObject {
public:
    // Needs the QApplication: the role comes from an accessibility factory
    // that Qt only consults once the application exists.
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);

private:
    struct Notification {
        QWidget* widget;
        QDeadlineTimer renamable; // expires once a screen reader has read its name
    };

    void showWaiting();

    QWidget* parent_;
    std::vector<Notification> notifications_; // used in turn, so the next is the oldest
    std::size_t next_ = 0;
    QStringList waiting_;
    bool shownThisPass_ = false;
    QTimer retry_; // when the next notification may be renamed, if texts wait for it
};

} // namespace qtui
