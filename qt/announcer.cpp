// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace qtui {
namespace {

// A screen reader reads a notification's name within milliseconds of its
// showing; a second leaves room for a busy machine.
constexpr int renameAfterMs = 1000;
// Enough for sixteen messages a second, faster than anyone listens; at a
// faster pace texts wait for the oldest notification and are joined.
constexpr std::size_t poolSize = 16;

class NotificationWidget : public QWidget {
public:
    explicit NotificationWidget(QWidget* parent) : QWidget(parent) { setGeometry(0, 0, 0, 0); }
};

QAccessibleInterface* notificationFactory(const QString&, QObject* object) {
    if (auto* widget = dynamic_cast<NotificationWidget*>(object))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QObject(parent), parent_(parent) {
    static const bool installed = (QAccessible::installFactory(notificationFactory), true);
    (void)installed;
    setObjectName(QStringLiteral("Announcer"));
    retry_.setSingleShot(true);
    retry_.callOnTimeout(this, &Announcer::showWaiting);
}

void Announcer::announce(const QString& text) {
    waiting_ << text;
    showWaiting();
}

void Announcer::showWaiting() {
    if (waiting_.isEmpty() || shownThisPass_)
        return;
    if (next_ == notifications_.size()) {
        notifications_.push_back({new NotificationWidget(parent_), {}});
    } else if (!notifications_[next_].renamable.hasExpired()) {
        retry_.start(int(notifications_[next_].renamable.remainingTime()));
        return;
    }
    Notification& notification = notifications_[next_];
    next_ = (next_ + 1) % poolSize;
    // Hidden, renamed and shown again: the showing is what the screen reader
    // hears, with the new name.
    notification.widget->hide();
    notification.widget->setAccessibleName(waiting_.join(' '));
    notification.widget->show();
    notification.renamable = QDeadlineTimer(renameAfterMs);
    waiting_.clear();
    // The next pass shows what came in the meantime.
    shownThisPass_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            shownThisPass_ = false;
            showWaiting();
        },
        Qt::QueuedConnection);
}

} // namespace qtui
