// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A page opened in the player's browser, as the desktop opens documents.
#pragma once

#include <string>

namespace qtui {

// Opens the file at path in the program the desktop opens it with (through
// xdg-open here), and returns at once: nothing, or why it could not. Needs a
// QGuiApplication on a platform with a desktop: not the offscreen one.
std::string openInBrowser(const std::string& path);

} // namespace qtui
