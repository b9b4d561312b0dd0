// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the program's answers go. A GUI program has no console of its own:
// started from a console (cmd, PowerShell), it writes to that one; with its
// standard output or error redirected to a file or a pipe, it writes there;
// started from Explorer or a shortcut, it has nowhere to write, and its
// answers show in a message box.
#pragma once

#include "game_options.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace win32ui {

class Console {
public:
    enum class Stream { output, error };

    // Takes the standard handles as the program was started with them,
    // before it opens anything of its own.
    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Writes UTF-8 text to the stream: as UTF-16 to a console, as UTF-8
    // bytes to a file or a pipe. Without either it attaches to the console of
    // the program that started this one, if it has one, for as long as the
    // write takes, so that closing that console later cannot end the game.
    // false when the text had nowhere to go.
    bool write(Stream stream, std::string_view text);
    // An answer's text on its streams, or in a message box when one has
    // nowhere to go: the help and the version as information, a usage error
    // as an error.
    void answer(const cli::Answer& answer);

private:
    bool writeTo(HANDLE handle, std::string_view text);

    HANDLE handles_[2];
};

// Shows text in a message box of the program's, without its first "tavelquin: ".
void showBox(std::string text, bool failed);

} // namespace win32ui
