// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What `tavelquin --report` needs of Qt: the chart painted for a PNG image,
// and the page opened in the browser.
#pragma once

#include "qt_fatal_exit.h"
#include "report_command.h"

#include <QGuiApplication>

#include <optional>

namespace qtui {

// Prints on stdout and stderr; paints on Qt's offscreen platform, which needs
// no display, with no plugin that the environment names, unless the page is to
// be opened in the browser: that takes the display the environment names.
class QtReport final : public report::ReportFrontEnd {
public:
    QtReport(int& argc, char* argv[], bool opensPage)
        : argc_(argc), argv_(argv), opensPage_(opensPage) {}

    void print(const std::string& text) override;
    void complain(const std::string& line) override;
    std::string savePng(const report::Scene& scene, const std::string& path) override;
    std::string openPage(const std::string& path) override;

private:
    bool hasDisplay() const;
    void startQt();

    int& argc_;
    char** argv_;
    bool opensPage_;
    // The offscreen platform gets none of the command line's Qt options.
    int offscreenArgc_ = 1;
    char name_[10] = "tavelquin";
    char* offscreenArgv_[2] = {name_, nullptr};
    std::optional<QtFatalExit> fatalExit_;
    std::optional<QGuiApplication> application_;
};

} // namespace qtui
