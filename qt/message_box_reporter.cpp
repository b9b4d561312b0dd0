// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "message_box_reporter.h"

#include "error.h"

#include <QMessageBox>

#include <cstdio>
#include <string>

namespace qtui {

void MessageBoxReporter::report(const rt::RuntimeError& error) {
    std::string message = rt::standardMessage(error);
    std::fprintf(stderr, "tavelquin: %s\n", message.c_str());
    std::fflush(stderr);
    QMessageBox::critical(nullptr, QStringLiteral("Tavelquin"), QString::fromStdString(message));
}

} // namespace qtui
