// The command line, read before anything opens a display: --version and
// --help are the game's only options; Qt's own pass through to QApplication,
// once the files they name are found safe to read.
#pragma once

#include <optional>

namespace app {

// Answers --version or --help on stdout and returns 0, or names a bad option,
// a stray argument or a file that Qt would read without end in one line on
// stderr and returns 2; returns nothing when the game should start.
std::optional<int> handleCommandLine(int argc, char* argv[]);

} // namespace app
