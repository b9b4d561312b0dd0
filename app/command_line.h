// The command line, read before anything opens a display: --version and
// --help are the game's only options; Qt's own pass through to QApplication.
#pragma once

#include <optional>

namespace app {

// Answers --version or --help on stdout and returns 0, or names a bad option
// or a stray argument in one line on stderr and returns 2; returns nothing
// when the game should start.
std::optional<int> handleCommandLine(int argc, char* argv[]);

} // namespace app
