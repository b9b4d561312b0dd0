// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include "browser.h"
#include "chart_painter.h"

namespace win32ui {

void Win32Report::print(const std::string& text) {
    if (!console_.write(Console::Stream::output, text))
        printed_ += text;
}

void Win32Report::complain(const std::string& line) {
    if (!console_.write(Console::Stream::error, "tavelquin: " + line + "\n"))
        complaints_ += line + "\n";
}

std::string Win32Report::savePng(const report::Scene& scene, const std::string& path) {
    return win32ui::savePng(scene, path);
}

std::string Win32Report::openPage(const std::string& path) {
    const std::string reason = openInBrowser(path);
    opened_ = reason.empty();
    return reason;
}

void Win32Report::finish(int status) {
    if (status != 0 && !complaints_.empty())
        showBox(complaints_, true);
    else if (status == 0 && !opened_ && !(printed_ + complaints_).empty())
        showBox(complaints_ + printed_, false);
}

} // namespace win32ui
