// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "text_encoding.h"

#include <cstdlib>

namespace win32ui {

std::vector<std::string> commandLineArguments() {
    // The C runtime has split the UTF-16 command line already, for wWinMain,
    // by the rules CommandLineToArgvW follows; asking the shell to do it again
    // would load shell32.dll and what it needs at every start.
    std::vector<std::string> arguments;
    for (int i = 0; __wargv != nullptr && i < __argc; ++i)
        arguments.push_back(narrow(__wargv[i]));
    return arguments;
}

} // namespace win32ui
