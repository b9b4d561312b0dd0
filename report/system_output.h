// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a report's output takes from the system, each system's in a file of
// its own folder (posix/, win32/), which the build chooses. Paths are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace report {

// Writes text as the whole of the file at path, which it makes or empties
// first, a new file for the player alone if privately: nothing, or the reason
// it failed.
std::string writeFile(const std::string& path, std::string_view text, bool privately = false);

// Makes each missing folder above path, for the player alone: nothing, or
// the reason it failed.
std::string makeFolders(const std::string& path);

// Whether there is no file at path at all, as for a player who never kept a
// journal (not one that is there but cannot be read).
bool fileMissing(const std::string& path);

// path as one word of the command line that this system's players type in,
// quoted only when it needs to be.
std::string commandWord(const std::string& path);

} // namespace report
