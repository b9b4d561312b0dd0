// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include "browser.h"
#include "chart_painter.h"

#include <QImageWriter>

#include <cstdio>

namespace qtui {

void QtReport::print(const std::string& text) { std::fputs(text.c_str(), stdout); }

void QtReport::complain(const std::string& line) {
    std::fprintf(stderr, "tavelquin: %s\n", line.c_str());
}

bool QtReport::hasDisplay() const {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void QtReport::startQt() {
    if (application_)
        return;
    // What was printed is out before Qt may end the program for want of a display.
    std::fflush(stdout);
    fatalExit_.emplace();
    if (opensPage_ && hasDisplay()) {
        // The command line's own Qt options were checked for this.
        application_.emplace(argc_, argv_);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qunsetenv("QT_QPA_GENERIC_PLUGINS");
        application_.emplace(offscreenArgc_, offscreenArgv_);
    }
    fatalExit_->opened();
}

std::string QtReport::savePng(const report::Scene& scene, const std::string& path) {
    startQt();
    QImageWriter writer(QString::fromStdString(path), "png");
    return writer.write(paintedScene(scene)) ? std::string() : writer.errorString().toStdString();
}

std::string QtReport::openPage(const std::string& path) {
    if (!hasDisplay())
        return "there is no display to show it on (DISPLAY and WAYLAND_DISPLAY are unset)";
    startQt();
    return openInBrowser(path);
}

} // namespace qtui
