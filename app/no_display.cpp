#include "no_display.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace app {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

// A message handler is a plain function, so its state is global. Qt may
// report from its connection threads too, hence the lock.
std::mutex lock;
QtMessageHandler previous = nullptr;
std::vector<HeldMessage> held;

void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    // Qt's only fatal message while it starts: no platform plugin could open
    // its display. It would abort next.
    if (type == QtFatalMsg) {
        std::fputs("tavelquin: cannot open a display: set DISPLAY (X11) or WAYLAND_DISPLAY "
                   "(Wayland) to a running one; from a source tree, ./play serves the game "
                   "over VNC\n",
                   stderr);
        std::_Exit(1);
    }
    std::lock_guard guard(lock);
    held.push_back({type, context.file, context.function, context.category, context.line, text});
}

const char* orNull(const QByteArray& bytes) { return bytes.isNull() ? nullptr : bytes.constData(); }

} // namespace

NoDisplayExit::NoDisplayExit() { previous = qInstallMessageHandler(hold); }

void NoDisplayExit::opened() {
    if (!previous)
        return;
    // Qt hands back its default handler when no other was installed.
    const QtMessageHandler restored = std::exchange(previous, nullptr);
    qInstallMessageHandler(restored);
    std::lock_guard guard(lock);
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function),
                                         orNull(m.category));
        restored(m.type, context, m.text);
    }
    held.clear();
}

} // namespace app
