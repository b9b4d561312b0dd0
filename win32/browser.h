// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A page opened in the player's browser, as Explorer opens documents.
#pragma once

#include <windows.h>

#include <string>

namespace win32ui {

// Opens the file at path with the program Windows opens its kind of file with
// (ShellExecuteW's "open"), and returns once it started: nothing, or why it
// could not. owner: the window that any question of the shell's belongs to,
// or none. Needs COM on the calling thread.
std::string openInBrowser(const std::string& path, HWND owner = nullptr);

} // namespace win32ui
