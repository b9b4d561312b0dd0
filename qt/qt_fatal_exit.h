// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt's fatal messages, and its lost display, end the program with one line of
// the game's own on stderr and exit status 1, instead of Qt's abort and core
// file or a bare line of Qt's.
#pragma once

namespace qtui {

// Watches Qt's messages from its construction to its destruction. Until
// opened(), around QApplication's construction, they wait: if Qt gives up for
// want of a display (no DISPLAY or WAYLAND_DISPLAY, an unreachable one, no
// compositor, or a platform it has no plugin for) the program prints one line
// saying why and what to do, and the waiting messages go unsaid. Any other
// message that Qt would abort on, a qFatal or a warning or critical message
// made fatal by QT_FATAL_WARNINGS or QT_FATAL_CRITICALS, is said in the
// game's line after the messages before it; a lost X11 or Wayland connection
// gets the game's line after Qt's. Either way the program exits with status 1.
class QtFatalExit {
public:
    QtFatalExit();
    ~QtFatalExit();
    void opened();
    QtFatalExit(const QtFatalExit&) = delete;
    QtFatalExit& operator=(const QtFatalExit&) = delete;
};

} // namespace qtui
