#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace window {
namespace {

QAccessibleInterface* notificationFactory(const QString&, QObject* object) {
    if (auto* announcer = dynamic_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(notificationFactory), true);
    (void)installed;
    setObjectName(QStringLiteral("Announcer"));
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString& text) {
    // Hidden, renamed and shown again: the showing is what the screen reader
    // hears, with the new name.
    hide();
    setAccessibleName(text);
    show();
}

} // namespace window
