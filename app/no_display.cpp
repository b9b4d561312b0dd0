#include "no_display.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
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

// Why Qt could open no display: a platform it has no plugin for (a misspelt
// -platform or QT_QPA_PLATFORM), unless some other platform was found and
// failed to connect; otherwise no display server answered. The fatal message
// lists the plugins Qt has. Called with the lock held.
std::string reason(const QString& fatal) {
    static const QRegularExpression unknown(
        QStringLiteral(R"re(Could not find the Qt platform plugin "([^"]*)")re"));
    QString missing;
    bool connectFailed = false;
    for (const HeldMessage& m : held) {
        connectFailed = connectFailed || m.text.contains(QLatin1String("even though it was found"));
        if (const QRegularExpressionMatch match = unknown.match(m.text); match.hasMatch())
            missing = match.captured(1);
    }
    if (connectFailed || missing.isEmpty())
        return "set DISPLAY (X11) or WAYLAND_DISPLAY (Wayland) to a running one; from a source "
               "tree, ./play serves the game over VNC";
    QStringList plugins = fatal.section(QLatin1String("Available platform plugins are: "), 1)
                              .section(QLatin1Char('.'), 0, 0)
                              .split(QLatin1String(", "), Qt::SkipEmptyParts);
    plugins.sort();
    return QStringLiteral("Qt has no platform plugin named '%1'; it has %2")
        .arg(missing, plugins.join(QLatin1String(", ")))
        .toStdString();
}

void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    std::lock_guard guard(lock);
    // Qt's only fatal message while it starts: no platform plugin could open
    // its display. It would abort next.
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "tavelquin: cannot open a display: %s\n", reason(text).c_str());
        std::_Exit(1);
    }
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
