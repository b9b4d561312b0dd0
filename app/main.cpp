// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The process entry: reads the command line, opens the display, builds the
// game and its window, then runs the event loop until no form is left.
#include "command_line.h"
#include "game_session.h"
#include "icon.h"
#include "message_box_reporter.h"
#include "qt_fatal_exit.h"

#include <QApplication>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
    if (std::optional<int> status = app::handleCommandLine(argc, argv))
        return *status;
    app::QtFatalExit fatalExit;
    QApplication app(argc, argv);
    fatalExit.opened();
    QApplication::setApplicationName(QStringLiteral("tavelquin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavelquin"));
    QApplication::setApplicationVersion(QStringLiteral(TAVELQUIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVELQUIN_APP_ID));
    QApplication::setWindowIcon(app::icon());

    rt::SystemRandom random;
    window::MessageBoxReporter reporter;
    try {
        app::GameSession session(random, reporter, window::QtHost::realTime());
        if (session.runtime.ended())
            return session.runtime.exitCode();
        session.window.show();
        return QApplication::exec();
    } catch (const rt::DescriptionError& error) {
        std::fprintf(stderr, "tavelquin: the window description is faulty: %s\n", error.what());
        return 2;
    }
}
