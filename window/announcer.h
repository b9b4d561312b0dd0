#pragma once

#include <QWidget>

namespace window {

// What the game says to a screen reader without moving the focus: a
// zero-sized widget with the accessible role of a notification, which screen
// readers speak each time it shows. Only the last of several messages sent in
// one pass of the event loop is spoken, so send one per event.
class Announcer : public QWidget {
public:
    // Needs the QApplication: the role comes from an accessibility factory
    // that Qt only consults once the application exists.
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
};

} // namespace window
