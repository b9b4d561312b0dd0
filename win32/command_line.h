// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's command line on Windows, as the portable code reads it.
#pragma once

#include <string>
#include <vector>

namespace win32ui {

// The arguments the program was started with, the program's name first, split
// as C programs split them from the UTF-16 command line (the C runtime does),
// in UTF-8, so that any path a player types arrives whole.
std::vector<std::string> commandLineArguments();

} // namespace win32ui
