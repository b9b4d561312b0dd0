// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_fatal_exit.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace qtui {
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
QtMessageHandler qtHandler = nullptr;
bool holding = true;
std::vector<HeldMessage> held;

// Qt 6.4 aborts on the Nth warning when QT_FATAL_WARNINGS is N, and on the Nth
// critical message when QT_FATAL_CRITICALS is, N read as C reads a number (12,
// 0x0c, 014); an empty variable never aborts, one that is no number at once.
// Unsigned, a negative N wraps round as Qt's counter does instead of overflowing.
unsigned warningsLeft = 0, criticalsLeft = 0;

unsigned fatalCount(const char* variable) {
    const QByteArray value = qgetenv(variable);
    bool ok = false;
    const int count = value.toInt(&ok, 0);
    return value.isEmpty() ? 0 : ok ? unsigned(count) : 1;
}

bool fatal(QtMsgType type) {
    unsigned* left = type == QtWarningMsg    ? &warningsLeft
                     : type == QtCriticalMsg ? &criticalsLeft
                                             : nullptr;
    if (!left)
        return type == QtFatalMsg;
    const bool last = *left == 1;
    if (*left != 0)
        --*left;
    return last;
}

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

const char* orNull(const QByteArray& bytes) { return bytes.isNull() ? nullptr : bytes.constData(); }

// Hands the held messages to Qt's handler and stops holding. Called with the
// lock held.
void release() {
    for (const HeldMessage& m : held) {
        const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function),
                                         orNull(m.category));
        qtHandler(m.type, context, m.text);
    }
    held.clear();
    holding = false;
}

void watch(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    std::lock_guard guard(lock);
    const bool isFatal = fatal(type);
    // Qt's X11 and Wayland platforms say so and exit when the display goes.
    const bool lost = text.startsWith(QLatin1String("The X11 connection broke")) ||
                      text.startsWith(QLatin1String("The Wayland connection"));
    if (!isFatal && !lost) {
        if (holding)
            held.push_back(
                {type, context.file, context.function, context.category, context.line, text});
        else
            qtHandler(type, context, text);
        return;
    }
    if (holding && type == QtFatalMsg &&
        text.contains(QLatin1String("no Qt platform plugin could be initialized"))) {
        std::fprintf(stderr, "tavelquin: cannot open a display: %s\n", reason(text).c_str());
        std::_Exit(1);
    }
    release();
    if (!isFatal) {
        qtHandler(type, context, text);
        std::fputs("tavelquin: the display went away, which ends the game\n", stderr);
    } else {
        const char* why = type == QtFatalMsg     ? "Qt cannot go on"
                          : type == QtWarningMsg ? "QT_FATAL_WARNINGS made Qt's warning fatal"
                                                 : "QT_FATAL_CRITICALS made Qt's message fatal";
        std::fprintf(stderr, "tavelquin: %s: %s\n", why, qPrintable(text.simplified()));
    }
    std::_Exit(1);
}

} // namespace

QtFatalExit::QtFatalExit() {
    warningsLeft = fatalCount("QT_FATAL_WARNINGS");
    criticalsLeft = fatalCount("QT_FATAL_CRITICALS");
    // Qt hands back its default handler when no other was installed.
    qtHandler = qInstallMessageHandler(watch);
}

QtFatalExit::~QtFatalExit() { qInstallMessageHandler(qtHandler); }

void QtFatalExit::opened() {
    std::lock_guard guard(lock);
    release();
}

} // namespace qtui
