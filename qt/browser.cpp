// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "browser.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace qtui {

std::string openInBrowser(const std::string& path) {
    // Qt says no more than whether it started a program: its reason, when it
    // has one, goes to its own warnings.
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))))
        return {};
    return "the desktop of Qt's " + QGuiApplication::platformName().toStdString() +
           " platform has no program to open it with";
}

} // namespace qtui
