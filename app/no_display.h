// Starting Qt with no display to open: one line and exit status 1 instead of
// Qt's abort and core file.
#pragma once

namespace app {

// Watches from its construction until opened(), around QApplication's
// construction. If Qt gives up for want of a display (no DISPLAY or
// WAYLAND_DISPLAY, an unreachable one, no compositor, or a platform it has no
// plugin for) the program prints one line on stderr saying why and what to
// do, and exits with status 1. Qt's
// other messages meanwhile wait, and pass on at opened().
class NoDisplayExit {
public:
    NoDisplayExit();
    ~NoDisplayExit() { opened(); }
    void opened();
    NoDisplayExit(const NoDisplayExit&) = delete;
    NoDisplayExit& operator=(const NoDisplayExit&) = delete;
};

} // namespace app
