// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_game_session.h"

#include "browser.h"

#include <QMessageBox>
#include <QShortcut>

#include <cstdio>

namespace qtui {

QtGameSession::QtGameSession(rt::RandomSource& random, rt::ErrorReporter& reporter,
                             QtHost::TimeSource time, journal::Journal* journal)
    : game(random, reporter, journal), runtime(game.runtime), host(runtime, std::move(time)),
      form(game.form), form1(game.form1), window(host.addWindow(form)) {
    game.start(*this);
    auto* hear = new QShortcut(QKeySequence(Qt::Key_H), &window);
    QObject::connect(hear, &QShortcut::activated, &window, [this] { announce(game.reading()); });
    auto* page = new QShortcut(QKeySequence(Qt::Key_J), &window);
    QObject::connect(page, &QShortcut::activated, &window, [this] { game.openJournalPage(); });
}

void QtGameSession::announce(const std::string& text) {
    window.announce(QString::fromStdString(text));
}

void QtGameSession::describe(std::string_view controlName, const std::string& text) {
    window.describe(controlName, QString::fromStdString(text));
}

std::string QtGameSession::openPage(const std::string& path) { return openInBrowser(path); }

void QtGameSession::warn(const std::string& line) {
    std::fprintf(stderr, "tavelquin: %s\n", line.c_str());
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tavelquin"),
                                QString::fromStdString(line), QMessageBox::Ok, &window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace qtui
