// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What `tavelquin --report` needs of Windows: its lines written to the
// console, the chart painted for a PNG image, and the page opened in the
// browser.
#pragma once

#include "console.h"
#include "report_command.h"

#include <string>

namespace win32ui {

class Win32Report final : public report::ReportFrontEnd {
public:
    explicit Win32Report(Console& console) : console_(console) {}

    void print(const std::string& text) override;
    void complain(const std::string& line) override;
    std::string savePng(const report::Scene& scene, const std::string& path) override;
    std::string openPage(const std::string& path) override;

    // Shows in a message box what had nowhere else to go, once the report
    // returned its status: the lines on what failed; or, having failed in
    // nothing, the report itself unless its page opened in the browser.
    void finish(int status);

private:
    Console& console_;
    std::string printed_, complaints_; // what had nowhere to go
    bool opened_ = false;
};

} // namespace win32ui
