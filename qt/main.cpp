// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The process entry: reads the command line, opens the journal and the
// display, builds the game and its window, then runs the event loop until no
// form is left; or prints a journal's report instead.
#include "command_line.h"
#include "icon.h"
#include "journal_error.h"
#include "journal_report.h"
#include "message_box_reporter.h"
#include "qt_fatal_exit.h"
#include "qt_game_session.h"
#include "report.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
    // A file size limit then fails the journal's write, a run-time error,
    // instead of killing the game.
    std::signal(SIGXFSZ, SIG_IGN);
    cli::Options options;
    if (std::optional<int> status = qtui::handleCommandLine(argc, argv, options))
        return *status;
    std::optional<journal::Journal> journal;
    try {
        if (options.report) {
            const cli::ChosenJournal chosen = cli::chosenJournal(options);
            qtui::QtReport frontEnd(argc, argv, options.page && options.page->empty());
            return report::runReport({chosen.path, chosen.named, options.plot, options.page},
                                     frontEnd);
        }
        if (options.journal) {
            journal.emplace(cli::chosenJournal(options).path);
            if (const std::string note = report::tornRowsNote(journal->path(), journal->tally());
                !note.empty())
                std::fprintf(stderr, "tavelquin: %s\n", note.c_str());
        }
    } catch (const journal::JournalError& error) {
        std::fprintf(stderr, "tavelquin: %s\n", error.what());
        return 1;
    }
    qtui::QtFatalExit fatalExit;
    QApplication app(argc, argv);
    fatalExit.opened();
    QApplication::setApplicationName(QStringLiteral("tavelquin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavelquin"));
    QApplication::setApplicationVersion(QStringLiteral(TAVELQUIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVELQUIN_APP_ID));
    QApplication::setWindowIcon(qtui::icon());

    rt::SystemRandom random;
    qtui::MessageBoxReporter reporter;
    int status = 0;
    try {
        qtui::QtGameSession session(random, reporter, rt::ClockedHost::realTime(),
                                    journal ? &*journal : nullptr);
        if (session.runtime.ended())
            return session.runtime.exitCode();
        session.window.show();
        status = QApplication::exec();
    } catch (const rt::DescriptionError& error) {
        std::fprintf(stderr, "tavelquin: the window description is faulty: %s\n", error.what());
        return 2;
    }
    // The last rows on stable storage before the game says it is done.
    try {
        if (journal)
            journal->close();
    } catch (const journal::JournalError& error) {
        std::fprintf(stderr, "tavelquin: %s\n", error.what());
        return 1;
    }
    return status;
}
